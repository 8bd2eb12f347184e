#include "engine/variables.h"

#include "engine/command_table.h"
#include "engine/current_point.h"
#include "base/integer_rule.h"
#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "base/script_error.h"

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

void LongCommand(std::string_view line, RunState& state) {
  state.Variables.DeclareVariable(TextAfterKeyword(line, Command::Long));
}

GetColorOperands ReadGetColorOperands(std::string_view line) {
  const OperandPair operands = SplitAtFirstBlank(TextAfterKeyword(line, Command::GetColor));
  if (operands.second.empty()) {
    throw ScriptError(IncompleteCommandMessage(line, CommandName(Command::GetColor)));
  }
  return {operands.first, operands.second};
}

void GetColorCommand(std::string_view line, RunState& state) {
  const GetColorOperands operands = ReadGetColorOperands(line);
  SetPointFromLocation(ReadLocationOperand(operands.location), state);
  const uint32_t colour = state.Platform.ReadScreenPixel(state.CurrentPoint.x, state.CurrentPoint.y);
  state.Variables.SetVariable(operands.name, static_cast<int32_t>(colour));
}

}  // namespace dx
