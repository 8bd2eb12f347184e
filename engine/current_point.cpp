#include "engine/current_point.h"

#include "base/integer_rule.h"
#include "engine/run_state.h"

namespace dx {

LocationOperand ReadLocationOperand(std::string_view location) {
  LocationOperand operand;
  if (location.front() != '.') {
    operand.slot = location;
    return operand;
  }
  const std::string_view rest = location.substr(1);
  const std::size_t dot = rest.find('.');
  operand.coordinates = true;
  operand.x = rest.substr(0, dot);
  operand.y = dot == std::string_view::npos ? rest.substr(rest.size()) : rest.substr(dot + 1);
  return operand;
}

void SetPointFromLocation(const LocationOperand& location, RunState& state) {
  if (location.coordinates) {
    state.CurrentPoint.x = StrToInt(location.x);
    state.CurrentPoint.y = StrToInt(location.y);
    return;
  }
  const int32_t slot = StrToInt(location.slot);
  if (!IsLocationSlot(slot)) return;
  state.CurrentPoint.x = StrToInt(state.Owner.LocationXText(slot));
  state.CurrentPoint.y = StrToInt(state.Owner.LocationYText(slot));
}

}  // namespace dx
