#include "x11/display.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "texts/dxplay_texts.h"

namespace dx::x11 {
namespace {

void (*g_lost_handler)() = nullptr;
ErrorTrap* g_trap = nullptr;

int OnIoError(Display*) {
  if (g_lost_handler) g_lost_handler();
  std::fprintf(stderr, "%s: %s\n", dxplay_texts::kProgramName.data(), dxplay_texts::kDisplayLostMessage.data());
  std::_Exit(3);
}

int OnError(Display*, XErrorEvent* event) {
  if (g_trap != nullptr) g_trap->Record(event->error_code);
  return 0;
}

}  // namespace

Display* OpenDisplay(std::string& error) {
  XSetIOErrorHandler(OnIoError);
  XSetErrorHandler(OnError);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    const char* name = XDisplayName(nullptr);
    error = dxplay_texts::NoDisplayMessage(name != nullptr ? name : "");
    return nullptr;
  }
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
    error = std::string(dxplay_texts::kNoXTestMessage);
    XCloseDisplay(display);
    return nullptr;
  }
  return display;
}

void SetDisplayLostHandler(void (*handler)()) { g_lost_handler = handler; }

ErrorTrap::ErrorTrap(Display* display) : display_(display), outer_(g_trap) {
  XSync(display_, False);  // errors of earlier requests are not this trap's
  g_trap = this;
}

ErrorTrap::~ErrorTrap() {
  XSync(display_, False);
  g_trap = outer_;
}

int ErrorTrap::Sync() {
  XSync(display_, False);
  return first_error_;
}

int BadAccessCode() { return BadAccess; }

}  // namespace dx::x11
