// A small X client for the end-to-end tests and the benchmark: a window
// that repaints on request, and the timing of a player's reactions to it.
//
//   x11_probe paint X Y W H RRGGBB FIFO
//       maps a window filled with RRGGBB; every line RRGGBB written into
//       FIFO repaints it; prints "painted RRGGBB" once the server has it,
//       and "key KEYSYM" and "button N X,Y" for the input it receives.
//   x11_probe react RUNS
//       a window over the whole screen; RUNS times: waits for a key press
//       (the script is ready), repaints in the other colour, waits for a
//       button press (the script's next line after its wait) and prints the
//       microseconds in between.
//   x11_probe stop RUNS COMBO_KEYSYMS... -- COMMAND...
//       RUNS times: starts COMMAND, waits for a key press on its window (the
//       script is in its wait), presses the keys named (Control_L, F12, ...)
//       through XTest, and prints the microseconds until COMMAND has ended.
//   x11_probe group N
//       locks keyboard group N (0 is the first layout of the map), as a
//       layout switcher does, and prints the group then active.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

int64_t NowMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

[[noreturn]] void Die(const char* what) {
  std::fprintf(stderr, "x11_probe: %s\n", what);
  std::exit(2);
}

struct Probe {
  Display* display = nullptr;
  Window window = 0;
};

unsigned long PixelOf(Display* display, const char* rrggbb) {
  XColor colour{};
  std::string name = std::string("#") + rrggbb;
  Colormap map = DefaultColormap(display, DefaultScreen(display));
  if (!XParseColor(display, map, name.c_str(), &colour) || !XAllocColor(display, map, &colour)) Die("bad colour");
  return colour.pixel;
}

void Paint(Probe& probe, const char* rrggbb) {
  XSetWindowBackground(probe.display, probe.window, PixelOf(probe.display, rrggbb));
  XClearWindow(probe.display, probe.window);
  XSync(probe.display, False);
}

Probe OpenWindow(int x, int y, int width, int height, const char* rrggbb) {
  Probe probe;
  probe.display = XOpenDisplay(nullptr);
  if (!probe.display) Die("cannot open the display");
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.event_mask = KeyPressMask | ButtonPressMask | ExposureMask | StructureNotifyMask;
  attributes.background_pixel = PixelOf(probe.display, rrggbb);
  probe.window = XCreateWindow(probe.display, DefaultRootWindow(probe.display), x, y, width, height, 0,
                               CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWEventMask | CWBackPixel, &attributes);
  XStoreName(probe.display, probe.window, "DxProbe");
  XMapRaised(probe.display, probe.window);
  XEvent event;
  do XNextEvent(probe.display, &event);
  while (event.type != MapNotify);
  XSync(probe.display, False);
  return probe;
}

Probe OpenFullScreen() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) Die("cannot open the display");
  int width = DisplayWidth(display, DefaultScreen(display));
  int height = DisplayHeight(display, DefaultScreen(display));
  XCloseDisplay(display);
  return OpenWindow(0, 0, width, height, "000000");
}

// The next event of TYPE, or false after TIMEOUT_MS.
bool WaitForEvent(Probe& probe, int type, int timeout_ms) {
  int64_t deadline = NowMicroseconds() + int64_t{timeout_ms} * 1000;
  for (;;) {
    while (XPending(probe.display)) {
      XEvent event;
      XNextEvent(probe.display, &event);
      if (event.type == type) return true;
    }
    int64_t left = deadline - NowMicroseconds();
    if (left <= 0) return false;
    pollfd fd{ConnectionNumber(probe.display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left / 1000) + 1);
  }
}

// Prints the key presses and clicks the window receives: "key KEYSYM",
// "button N X,Y" (root coordinates).
void PrintInput(Probe& probe) {
  while (XPending(probe.display)) {
    XEvent event;
    XNextEvent(probe.display, &event);
    if (event.type == KeyPress) {
      const char* name = XKeysymToString(XLookupKeysym(&event.xkey, 0));
      std::printf("key %s\n", name ? name : "?");
    } else if (event.type == ButtonPress) {
      std::printf("button %u %d,%d\n", event.xbutton.button, event.xbutton.x_root, event.xbutton.y_root);
    }
  }
  std::fflush(stdout);
}

int PaintCommand(char** argv) {
  Probe probe = OpenWindow(std::atoi(argv[0]), std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]), argv[4]);
  int fifo = open(argv[5], O_RDWR);  // read-write: no end of file when a writer closes
  if (fifo < 0) Die("cannot open the fifo");
  std::printf("painted %s\n", argv[4]);
  std::fflush(stdout);
  std::string pending;
  char buffer[256];
  for (;;) {
    PrintInput(probe);
    pollfd fds[] = {{fifo, POLLIN, 0}, {ConnectionNumber(probe.display), POLLIN, 0}};
    poll(fds, 2, -1);
    if (!(fds[0].revents & POLLIN)) continue;
    ssize_t got = read(fifo, buffer, sizeof buffer);
    if (got <= 0) return 0;
    pending.append(buffer, static_cast<size_t>(got));
    for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
      std::string colour = pending.substr(0, end);
      Paint(probe, colour.c_str());
      std::printf("painted %s\n", colour.c_str());
      std::fflush(stdout);
    }
  }
}

int ReactCommand(int runs) {
  Probe probe = OpenFullScreen();
  for (int run = 0; run < runs; ++run) {
    if (!WaitForEvent(probe, KeyPress, 10000)) Die("no key press from the script");
    // The script is in its wait by now; the random part keeps the repaint
    // out of step with any period of the script's polling.
    usleep(static_cast<useconds_t>(2000 + std::rand() % 1000));
    Paint(probe, run % 2 ? "000000" : "FFFFFF");
    int64_t painted = NowMicroseconds();
    if (!WaitForEvent(probe, ButtonPress, 10000)) Die("no click after the repaint");
    std::printf("%lld\n", static_cast<long long>(NowMicroseconds() - painted));
    std::fflush(stdout);
  }
  return 0;
}

void PressCombination(Display* display, const std::vector<KeySym>& keys) {
  for (KeySym key : keys) XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), True, CurrentTime);
  for (auto key = keys.rbegin(); key != keys.rend(); ++key)
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, *key), False, CurrentTime);
  XFlush(display);
}

int StopCommand(int runs, char** argv) {
  std::vector<KeySym> keys;
  for (; *argv && std::strcmp(*argv, "--") != 0; ++argv) {
    KeySym key = XStringToKeysym(*argv);
    if (key == NoSymbol) Die("unknown keysym");
    keys.push_back(key);
  }
  if (!*argv || !argv[1]) Die("no command after --");
  char** command = argv + 1;
  Probe probe = OpenFullScreen();
  for (int run = 0; run < runs; ++run) {
    pid_t child = fork();
    if (child == 0) {
      execvp(command[0], command);
      _exit(127);
    }
    if (!WaitForEvent(probe, KeyPress, 10000)) Die("no key press from the script");
    usleep(50000);  // well inside the wait
    int64_t pressed = NowMicroseconds();
    PressCombination(probe.display, keys);
    int status = 0;
    waitpid(child, &status, 0);
    std::printf("%lld %d\n", static_cast<long long>(NowMicroseconds() - pressed),
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    std::fflush(stdout);
  }
  return 0;
}

int GroupCommand(int group) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) Die("no display");
  if (!XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group))) Die("group not locked");
  XkbStateRec state{};
  XkbGetState(display, XkbUseCoreKbd, &state);
  std::printf("group %d\n", state.group);
  XCloseDisplay(display);
  return state.group == group ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  if (command == "paint" && argc == 8) return PaintCommand(argv + 2);
  if (command == "react" && argc == 3) return ReactCommand(std::atoi(argv[2]));
  if (command == "stop" && argc > 4) return StopCommand(std::atoi(argv[2]), argv + 3);
  if (command == "group" && argc == 3) return GroupCommand(std::atoi(argv[2]));
  std::fprintf(stderr, "usage: x11_probe paint|react|stop|group ...\n");
  return 64;
}
