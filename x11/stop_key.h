// The stop key. Seen through XInput 2 raw key events, which the server
// delivers even while another client holds the keyboard (an open menu, a
// grab); also grabbed on the root window for every state of the lock keys
// and the Windows key, so that, where no other grab stands in the way, its
// press reaches only dxplay.
#pragma once

#include <optional>
#include <vector>

#include "texts/key_combination.h"
#include "x11/stop_combination.h"

using Display = struct _XDisplay;
union _XEvent;

namespace dx::x11 {

class StopKey {
 public:
  enum class Grab { Held, TakenByAnotherClient, NotOnKeyboard };

  StopKey(Display* display, KeyCombination combination);
  ~StopKey();
  StopKey(const StopKey&) = delete;
  StopKey& operator=(const StopKey&) = delete;

  Grab State() const { return state_; }
  // True when raw key events reach dxplay: the key is seen during other
  // clients' grabs, and even when another client holds its grab.
  bool SeenThroughRawEvents() const { return raw_opcode_ != 0; }
  // Takes one event; true for a press of the combination. Ends dxplay's own
  // grab of the keyboard that the press started, so that the releases of
  // the script's keys at the end of the run reach the window that got
  // their presses.
  bool IsPress(_XEvent& event);

 private:
  bool IsRawPress(_XEvent& event);
  bool IsGrabbedPress(const _XEvent& event) const;
  void SelectRawEvents();

  Display* display_;
  Grab state_ = Grab::NotOnKeyboard;
  KeyCombination combination_;
  int keycode_ = 0;
  unsigned modifiers_ = 0;  // X modifier bits
  unsigned ignored_ = 0;    // the lock keys' and the Windows key's bits
  std::vector<unsigned> grabbed_;
  int raw_opcode_ = 0;  // the XInput extension's, 0 without raw events
  std::optional<StopCombination> raw_;
};

}  // namespace dx::x11
