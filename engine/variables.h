// The run's named 32-bit variables and the two commands that fill them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dx {

struct RunState;

struct Variable {
  std::string Name;
  int32_t Value = 0;
};

// Variables in the order of declaration, names compared byte for byte.
// No capacity limit; lookups by name go through a hash index so that a
// line's cost does not depend on how many variables the pass declared.
class VariableTable {
 public:
  bool FindVariable(std::string_view name) const;
  // Appends (name, 0) unless the name is already there.
  void DeclareVariable(std::string_view name);
  // The value, or 0 for a name that was never declared.
  int32_t GetVariable(std::string_view name) const;
  // Changes an existing entry; an unknown name is ignored silently.
  void SetVariable(std::string_view name, int32_t value);

  void Clear();
  const std::vector<Variable>& Entries() const { return entries_; }

 private:
  std::vector<Variable> entries_;
  std::unordered_map<std::string, std::size_t> index_;
};

struct GetColorOperands {
  std::string_view name;
  std::string_view location;  // never empty
};

// The operands of a GETCOLOR line, split at the first blank behind the
// keyword; throws ScriptError when the line names no location.
GetColorOperands ReadGetColorOperands(std::string_view line);

void LongCommand(std::string_view line, RunState& state);
void GetColorCommand(std::string_view line, RunState& state);

}  // namespace dx
