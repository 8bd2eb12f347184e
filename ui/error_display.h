// The application's one error display: every failure that reaches the top
// level is shown in an OK box captioned "Dorvaxil" with an error icon, its
// message passed through FullStopMessage. Window procedures run their
// handlers through Guarded so that no exception crosses a system callback.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <utility>

#include "base/message_text.h"

namespace dx::ui {

void ShowErrorBox(HWND owner, const MessageText& message);

// The message an escaping exception is shown with.
MessageText MessageOfCurrentException();

template <class Handler>
void Guarded(HWND owner, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    ShowErrorBox(owner, MessageOfCurrentException());
  }
}

}  // namespace dx::ui
