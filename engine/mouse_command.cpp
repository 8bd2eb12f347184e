#include "engine/mouse_command.h"

#include <cmath>

#include "engine/command_table.h"
#include "engine/current_point.h"
#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "base/script_error.h"

namespace dx {
namespace {

constexpr std::size_t kActionPosition = 7;
constexpr std::size_t kButtonActionPosition = 8;
constexpr std::size_t kPositionStart = 10;

[[noreturn]] void FailIncomplete(std::string_view line) {
  throw ScriptError(IncompleteCommandMessage(line, CommandName(Command::Mouse)));
}

void MoveTo(std::string_view position, RunState& state) {
  state.Input.SetMouseFlags(kMouseMove | kMouseAbsolute);
  SetPointFromLocation(ReadLocationOperand(position), state);
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

void ButtonAction(const MouseOperands& operands, RunState& state) {
  state.Input.SetType(InputRecord::kTypeMouse);
  switch (operands.button_action) {
    case kClickAction:
      SendWithFlags(state, operands.button->down);
      SendWithFlags(state, operands.button->up);
      break;
    case kDownAction:
      SendWithFlags(state, operands.button->down);
      break;
    case kUpAction:
      SendWithFlags(state, operands.button->up);
      break;
    default:
      SendInputRecord(state);  // the flags the record already holds
      break;
  }
}

}  // namespace

int64_t PixelOfAbsolute(int64_t absolute, int extent) { return (absolute * extent) >> 16; }

const MouseButton* FindButton(char letter) {
  for (const MouseButton& b : kMouseButtons) {
    if (b.letter == letter) return &b;
  }
  return nullptr;
}

MouseOperands ReadMouseOperands(std::string_view line) {
  if (line.size() < kActionPosition) FailIncomplete(line);
  MouseOperands operands;
  operands.action = AsciiUpper(line[kActionPosition - 1]);
  if (operands.action == kMoveAction) {
    operands.position = TextFrom(line, kPositionStart);
    if (operands.position.empty()) FailIncomplete(line);
  } else if ((operands.button = FindButton(operands.action)) != nullptr) {
    if (line.size() < kButtonActionPosition) FailIncomplete(line);
    operands.button_action = AsciiUpper(line[kButtonActionPosition - 1]);
  }
  return operands;
}

int32_t NormaliseCoordinate(int32_t pixel, int extent) {
  const double scaled = (65536.0 / extent) * pixel;
  if (!std::isfinite(scaled)) return 0;
  // The default floating-point environment rounds halves to even.
  auto rounded = static_cast<int64_t>(std::nearbyint(scaled));
  // Rounding down can land one pixel short of the point once the system
  // truncates (y 70 on a 768-high screen became 69): there the exact
  // ceiling, which lands on the point, is taken instead. Points off the
  // primary screen too, since they reach a monitor beside it on X11.
  if (extent > 0 && PixelOfAbsolute(rounded, extent) != pixel) {
    const int64_t scaled_exact = int64_t{pixel} * 65536;
    // Division truncates towards zero: for a negative quotient that is the ceiling.
    const int64_t ceiling = scaled_exact >= 0 ? (scaled_exact + extent - 1) / extent : scaled_exact / extent;
    if (PixelOfAbsolute(ceiling, extent) == pixel) rounded = ceiling;
  }
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(rounded)));
}

void MouseCommand(std::string_view line, RunState& state) {
  const MouseOperands operands = ReadMouseOperands(line);
  if (operands.action == kMoveAction) {
    MoveTo(operands.position, state);
  } else if (operands.button != nullptr) {
    ButtonAction(operands, state);
  } else {
    state.Input.SetType(InputRecord::kTypeMouse);
    SendInputRecord(state);
  }
}

}  // namespace dx
