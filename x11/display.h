// The connection to the X server: opening it, the handler for its loss and
// a trap for the protocol errors of a few calls.
#pragma once

#include <optional>
#include <string>

using Display = struct _XDisplay;

namespace dx::x11 {

// Opens the display that DISPLAY names and checks that it has the XTest
// extension; on a failure sets `error` to the message and returns null.
Display* OpenDisplay(std::string& error);

// Called when the server goes away (nothing can be sent to it any more);
// must end the process. Without one, the message is printed and the
// process exits with status 3.
void SetDisplayLostHandler(void (*handler)());

// Collects the protocol errors of the calls made while it lives. Errors
// outside a trap are ignored: a window that vanished must not end a run
// with keys still down.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Waits until the server has handled every request so far; the first
  // error's code, or 0.
  int Sync();
  // Called by the error handler.
  void Record(int code) {
    if (first_error_ == 0) first_error_ = code;
  }

 private:
  Display* display_;
  ErrorTrap* outer_;
  int first_error_ = 0;
};

// The X error code of an access refused (a key another client has grabbed).
int BadAccessCode();

}  // namespace dx::x11
