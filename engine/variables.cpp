#include "engine/variables.h"

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

// ".x.y": explicit coordinates, read the way MOUSE reads them.
void SetPointFromCoordinates(std::string_view location, RunState& state) {
  const std::string_view rest = location.substr(1);
  const std::size_t dot = rest.find('.');
  const std::string_view x_text = rest.substr(0, dot);
  const std::string_view y_text = dot == std::string_view::npos ? std::string_view{} : rest.substr(dot + 1);
  state.CurrentPoint.x = StrToInt(x_text);
  state.CurrentPoint.y = StrToInt(y_text);
}

void SetPointFromSlot(std::string_view location, RunState& state) {
  const int32_t slot = StrToInt(location);
  if (slot < 1 || slot > 20) return;  // the point of the last MOUSE or GETCOLOR
  state.CurrentPoint.x = StrToInt(state.Owner.LocationXText(slot));
  state.CurrentPoint.y = StrToInt(state.Owner.LocationYText(slot));
}

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
