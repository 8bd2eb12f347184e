#include "engine/current_point.h"

#include "engine/integer_rule.h"
#include "engine/run_state.h"

namespace dx {

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
  if (slot < 1 || slot > 20) return;
  state.CurrentPoint.x = StrToInt(state.Owner.LocationXText(slot));
  state.CurrentPoint.y = StrToInt(state.Owner.LocationYText(slot));
}

}  // namespace dx
