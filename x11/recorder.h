// The user's buttons and keys on the whole display, read through the RECORD
// extension: the server copies every device event to a connection of the
// recorder's own, after the event has gone where it goes. Nothing is
// grabbed, so every application keeps getting its input as before.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>

#include "recorder/recorded_input.h"
#include "x11/monitor.h"

using Display = struct _XDisplay;

namespace dx::x11 {

// What was left out of a recording because a script has no line for it.
struct LeftOut {
  int wheel_or_extra_buttons = 0;  // buttons 4 and above
  int keys_without_code = 0;       // presses of keys with no virtual-key code
};

// A recorded event's root position on the whole desktop. Where Xinerama
// joins several X screens, the server records a position relative to the
// first screen and then shifts it once more by the offset of the screen
// under the cursor: `screens` are then those screens (Xinerama's heads, the
// first screen first), and the position is taken back for the one screen
// it falls inside after undoing that screen's shift. Without them (one
// screen, or monitors of one screen through RandR) the position is as
// recorded.
RootPoint DesktopPointOfRecorded(int x, int y, std::span<const MonitorRect> screens);

class InputRecorder {
 public:
  using Sink = std::function<void(const RecordedInput&)>;

  // Starts recording on the display of `control` (whose connection the
  // context is made on; the recorded data comes on a second connection).
  // Points are counted from `monitor`'s top-left. On a failure `error` is
  // set and Recording() is false.
  InputRecorder(Display* control, const MonitorRect& monitor, Sink sink, std::string& error);
  ~InputRecorder();
  InputRecorder(const InputRecorder&) = delete;
  InputRecorder& operator=(const InputRecorder&) = delete;

  bool Recording() const;
  // Readable when recorded data waits; Process() then hands it to the sink.
  int Fd() const;
  void Process();
  // Stops the recording once every input the server has handled so far
  // has reached the sink.
  void Finish();

  const LeftOut& Omitted() const;

 private:
  struct State;
  // Reads the recorded data until the callback has set `flag`.
  void WaitUntil(const bool& flag);

  std::unique_ptr<State> state_;
};

}  // namespace dx::x11
