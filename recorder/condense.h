// The condensing rules of the recorder: the inputs of a recording become
// the short script a person would have written, which the checker passes
// and which plays back to the same button and key events.
//
//   a press and release of one button at one point (2 pixels of slack),
//     with nothing between, within kClickMs    MOUSE GO .X.Y, MOUSE LC
//   another such click there within kClickMs   MOUSE LC (no pause: it stays
//                                              a double-click)
//   any other press and release (a drag)       MOUSE GO, MOUSE LD, [DELAY],
//                                              MOUSE GO, MOUSE LU
//   a key pressed and released within kClickMs, with no button or modifier
//     change between (a modifier: nothing between)    KEY $XX PRESS
//   any other key down, up (a modifier held around other keys)
//                                              KEY $XX, ..., KEY $XX UP
//   the pause from the end of one of these to the start of the next
//                                              DELAY, rounded to 10 ms;
//                                              under 30 ms none
//   keys and buttons still down at the end     released, latest first
//   at the end                                 ENDSCRIPT (unless appending)
// MOUSE GO is written only where the point changes. A release of a key or
// button that went down before the recording began is left out, and so is
// a key's repeat while it is held.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "recorder/recorded_input.h"

namespace dx {

inline constexpr int64_t kClickMs = 500;
inline constexpr int64_t kClickSlackPixels = 2;
inline constexpr int64_t kShortestDelayMs = 30;

struct CondenseOptions {
  bool delays = true;     // false: no DELAY lines
  bool endscript = true;  // false when the lines are appended to a script
  // With `use_slots`, each distinct point goes into the next of these
  // location slots (ascending) and the lines say MOUSE GO N; once they are
  // used up, the points are written as .X.Y.
  bool use_slots = false;
  std::vector<int> free_slots;
};

struct SlotPoint {
  int slot = 0;
  RecordedPoint at;
};

struct CondensedRecording {
  std::vector<std::string> lines;
  std::vector<SlotPoint> slots;  // the slots the lines use, to be stored
  int points_without_slot = 0;   // distinct points written as .X.Y for want of a free slot
};

CondensedRecording CondenseRecording(std::span<const RecordedInput> inputs, const CondenseOptions& options);

}  // namespace dx
