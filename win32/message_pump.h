// Message delivery shared by the main loop and a running script: keyboard
// navigation of the program's windows is handled the same way in both.
#pragma once

#include <windows.h>

#include <vector>

namespace dx::win {

class MessagePump {
 public:
  // Windows whose keyboard messages get dialog navigation (Tab, Enter).
  void AddDialogWindow(HWND window) { dialogs_.push_back(window); }

  // A tooltip window that gets the mouse messages of the controls it
  // serves (they are not subclassed for it).
  void RelayMouseTo(HWND tooltip) {
    if (tooltip) tooltips_.push_back(tooltip);
  }

  // Runs until WM_QUIT; returns its exit code.
  int RunUntilQuit();

  // Delivers every pending message. A WM_QUIT taken from the queue is
  // remembered (QuitSeen) and ends the delivery; RepostQuit puts it back
  // once the caller has unwound, so the main loop still ends.
  void DeliverPending();
  bool QuitSeen() const { return quitSeen_; }
  void RepostQuit();

 private:
  void Dispatch(MSG& message);

  std::vector<HWND> dialogs_;
  std::vector<HWND> tooltips_;
  bool quitSeen_ = false;
  bool quitReposted_ = false;
  int quitCode_ = 0;
};

}  // namespace dx::win
