// The driver's own synthetic input, for what a user does by hand (a double
// click in the picker, a click on a tab).
#pragma once

namespace dxe {

// Moves the pointer to screen point (x, y) and clicks the left button
// `times` times in quick succession.
void ClickAt(int x, int y, int times);

}  // namespace dxe
