// MOUSE: absolute moves and button actions through the run's InputRecord.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/input_record.h"

namespace dx {

struct RunState;

// The letters a MOUSE line is read by: position 7 holds kMoveAction ("GO")
// or a button letter (kMouseButtons), position 8 a button's action.
inline constexpr char kMoveAction = 'G';
inline constexpr std::string_view kMoveWord = "GO";
inline constexpr char kClickAction = 'C';  // down and up
inline constexpr char kDownAction = 'D';
inline constexpr char kUpAction = 'U';

constexpr bool IsButtonAction(char action) {
  return action == kClickAction || action == kDownAction || action == kUpAction;
}

// The button a letter names, or nullptr.
const MouseButton* FindButton(char letter);

// A MOUSE line taken apart by character position.
struct MouseOperands {
  char action = 0;                      // position 7, upper-cased: G, L, R, M or other
  std::string_view position;            // G: from position 10 on, never empty
  const MouseButton* button = nullptr;  // L, R, M
  char button_action = 0;               // position 8, upper-cased: C, D, U or other
};

// Throws ScriptError when the line ends before a character the command must
// test: nothing at position 7, after L, R or M nothing at 8, after G
// nothing from 10 on.
MouseOperands ReadMouseOperands(std::string_view line);

void MouseCommand(std::string_view line, RunState& state);

// Screen pixels to the 0..65536 absolute range: (65536 / extent) * pixel,
// quotient first, rounded half to even, no clamping; where that would land
// one pixel off once truncated (PixelOfAbsolute), the value that lands on
// the pixel. The result wraps to 32 bits the way the record's field holds
// it. A zero extent gives 0.
int32_t NormaliseCoordinate(int32_t pixel, int extent);

// The pixel an absolute coordinate lands on, as the system computes it:
// (absolute * extent) >> 16, truncating towards minus infinity.
int64_t PixelOfAbsolute(int64_t absolute, int extent);

}  // namespace dx
