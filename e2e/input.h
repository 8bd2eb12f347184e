// The driver's own synthetic input, for what a user does by hand (a double
// click in the picker, a click on a tab).
#pragma once

#include <windows.h>

#include <vector>

namespace dxe {

// Moves the pointer to screen point (x, y) and clicks the left button
// `times` times in quick succession.
void ClickAt(int x, int y, int times);
// The same with the right button, once.
void RightClickAt(int x, int y);

// Presses the keys in this order and releases them in reverse, in one
// SendInput: a combination such as Ctrl+Alt+Shift+F12, or a single key.
void PressKeys(const std::vector<WORD>& keys);

}  // namespace dxe
