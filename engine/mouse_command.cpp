#include "engine/mouse_command.h"

#include <cmath>

#include "engine/current_point.h"
#include "engine/engine_messages.h"
#include "engine/integer_rule.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "engine/script_error.h"

namespace dx {
namespace {

constexpr std::string_view kMouseKeyword = "MOUSE";
constexpr std::size_t kActionPosition = 7;
constexpr std::size_t kButtonActionPosition = 8;
constexpr std::size_t kPositionStart = 10;

struct Button {
  char letter;
  uint32_t down;
  uint32_t up;
};

constexpr Button kButtons[] = {
    {'L', kMouseLeftDown, kMouseLeftUp},
    {'R', kMouseRightDown, kMouseRightUp},
    {'M', kMouseMiddleDown, kMouseMiddleUp},
};

const Button* FindButton(char letter) {
  for (const auto& b : kButtons) {
    if (b.letter == letter) return &b;
  }
  return nullptr;
}

[[noreturn]] void FailIncomplete(std::string_view line) {
  throw ScriptError(IncompleteCommandMessage(line, "MOUSE"));
}

void MoveTo(std::string_view line, RunState& state) {
  const std::string_view position = TextFrom(line, kPositionStart);
  if (position.empty()) FailIncomplete(line);
  state.Input.SetMouseFlags(kMouseMove | kMouseAbsolute);
  if (position.front() == '.') {
    SetPointFromCoordinates(position, state);
  } else {
    SetPointFromSlot(position, state);
  }
  const int width = state.Platform.ScreenWidth();
  const int height = state.Platform.ScreenHeight();
  state.Input.SetMouseDx(NormaliseCoordinate(state.CurrentPoint.x, width));
  state.Input.SetMouseDy(NormaliseCoordinate(state.CurrentPoint.y, height));
  state.Input.SetType(InputRecord::kTypeMouse);
  SendInputRecord(state);
}

void SendWithFlags(RunState& state, uint32_t flags) {
  state.Input.SetMouseFlags(flags);
  SendInputRecord(state);
}

void ButtonAction(std::string_view line, const Button& button, RunState& state) {
  if (line.size() < kButtonActionPosition) FailIncomplete(line);
  state.Input.SetType(InputRecord::kTypeMouse);
  switch (AsciiUpper(line[kButtonActionPosition - 1])) {
    case 'C':
      SendWithFlags(state, button.down);
      SendWithFlags(state, button.up);
      break;
    case 'D':
      SendWithFlags(state, button.down);
      break;
    case 'U':
      SendWithFlags(state, button.up);
      break;
    default:
      SendInputRecord(state);  // the flags the record already holds
      break;
  }
}

}  // namespace

namespace {

// The system turns an absolute coordinate back into a pixel by truncation.
int64_t PixelOfAbsolute(int64_t absolute, int extent) { return (absolute * extent) >> 16; }

}  // namespace

int32_t NormaliseCoordinate(int32_t pixel, int extent) {
  const double scaled = (65536.0 / extent) * pixel;
  if (!std::isfinite(scaled)) return 0;
  // The default floating-point environment rounds halves to even.
  auto rounded = static_cast<int64_t>(std::nearbyint(scaled));
  // Rounding down can land one pixel short of an on-screen point once the
  // system truncates (y 70 on a 768-high screen became 69): there the exact
  // ceiling, which lands on the point, is taken instead.
  if (extent > 0 && pixel >= 0 && pixel < extent && PixelOfAbsolute(rounded, extent) != pixel) {
    const int64_t ceiling = (int64_t{pixel} * 65536 + extent - 1) / extent;
    if (PixelOfAbsolute(ceiling, extent) == pixel) rounded = ceiling;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(rounded)));
}

void MouseCommand(std::string_view line, RunState& state) {
  if (!MatchKeyword(line, kMouseKeyword)) return;
  if (line.size() < kActionPosition) FailIncomplete(line);
  const char action = AsciiUpper(line[kActionPosition - 1]);
  if (action == 'G') {
    MoveTo(line, state);
  } else if (const Button* button = FindButton(action)) {
    ButtonAction(line, *button, state);
  } else {
    state.Input.SetType(InputRecord::kTypeMouse);
    SendInputRecord(state);
  }
}

}  // namespace dx
