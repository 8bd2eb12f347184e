// Filling the location and key slots by demonstration: not wired yet. The
// location buttons, the key-slot edits and the loss of activation already
// reach these handlers.
#include <windows.h>

#include "ui/unitmain.h"

namespace dx::ui {

// Arms a location capture for the slot named by the button ("SB12": 12).
void TFormMain::SBClick(HWND) {}

// Writes the pressed key's code into the slot edit and consumes the key.
void TFormMain::key1KeyDown(HWND, uint16_t&) {}

// The capture fires when another application becomes active.
void TFormMain::OnActivateApp(bool) {}

}  // namespace dx::ui
