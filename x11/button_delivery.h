// Waiting until the server has delivered a button event that XTest sent.
//
// A window manager that focuses windows on a click grabs the buttons of
// every client window synchronously: the press freezes the pointer until
// the manager has raised and focused the window and replays the press to
// the client. Input sent meanwhile does not wait for the replay: keys reach
// the client before the click, a release or a move is handled after the
// next move. GTK and Qt applications then lose clicks, take double-clicks
// as single ones and insert text where the caret was before the click.
// A real mouse leaves the manager the time between its events; a run has
// to ask.
#pragma once

using Display = struct _XDisplay;

namespace dx::x11 {

// Returns once the core pointer shows `button` (1 to 5) down or up, as
// `down` says: the server has then handled the event that put it there.
// For a release that means the pointer is no longer frozen: the press
// before it has reached the client. Gives up after timeout_ms (another
// client may keep the pointer frozen, or a real mouse may hold the same
// button); false then.
bool WaitForButtonState(Display* display, unsigned button, bool down, int timeout_ms);

}  // namespace dx::x11
