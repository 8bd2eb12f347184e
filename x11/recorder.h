// The user's buttons and keys on the whole display, read through the RECORD
// extension: the server copies every device event to a connection of the
// recorder's own, after the event has gone where it goes. Nothing is
// grabbed, so every application keeps getting its input as before.
#pragma once

#include <functional>
#include <memory>
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
