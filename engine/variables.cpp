#include "engine/variables.h"

#include "engine/current_point.h"
#include "engine/engine_messages.h"
#include "engine/integer_rule.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "engine/script_error.h"

namespace dx {

bool VariableTable::FindVariable(std::string_view name) const {
  return index_.find(std::string(name)) != index_.end();
}

void VariableTable::DeclareVariable(std::string_view name) {
  if (FindVariable(name)) return;
  index_.emplace(std::string(name), entries_.size());
  entries_.push_back({std::string(name), 0});
}

int32_t VariableTable::GetVariable(std::string_view name) const {
  auto it = index_.find(std::string(name));
  return it == index_.end() ? 0 : entries_[it->second].Value;
}

void VariableTable::SetVariable(std::string_view name, int32_t value) {
  auto it = index_.find(std::string(name));
  if (it != index_.end()) entries_[it->second].Value = value;
}

void VariableTable::Clear() {
  entries_.clear();
  index_.clear();
}

namespace {

constexpr std::string_view kLongKeyword = "LONG ";
constexpr std::string_view kGetColorKeyword = "GETCOLOR ";

}  // namespace

void LongCommand(std::string_view line, RunState& state) {
  if (!MatchKeyword(line, kLongKeyword)) return;
  state.Variables.DeclareVariable(line.substr(kLongKeyword.size()));
}

void GetColorCommand(std::string_view line, RunState& state) {
  if (!MatchKeyword(line, kGetColorKeyword)) return;
  const OperandPair operands = SplitAtFirstBlank(line.substr(kGetColorKeyword.size()));
  if (operands.second.empty()) throw ScriptError(IncompleteCommandMessage(line, "GETCOLOR"));
  if (operands.second.front() == '.') {
    SetPointFromCoordinates(operands.second, state);
  } else {
    SetPointFromSlot(operands.second, state);
  }
  const uint32_t colour = state.Platform.ReadScreenPixel(state.CurrentPoint.x, state.CurrentPoint.y);
  state.Variables.SetVariable(operands.first, static_cast<int32_t>(colour));
}

}  // namespace dx
