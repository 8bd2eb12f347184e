#include "x11/recorder.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/record.h>
#include <poll.h>

#include <array>
#include <optional>
#include <vector>

#include "texts/dxplay_texts.h"
#include "x11/keyboard_map.h"

namespace dx::x11 {
namespace {

// The virtual-key code of every keycode of the keyboard map in force, as a
// capture stores it; read once, so the recording's callback asks nothing.
std::array<std::optional<uint8_t>, 256> KeyCodesOfKeyboard(Display* display) {
  std::array<std::optional<uint8_t>, 256> codes{};
  int first = 0, last = 0;
  XDisplayKeycodes(display, &first, &last);
  for (int keycode = first; keycode <= last && keycode < 256; ++keycode) {
    std::string keysym_name;
    codes[static_cast<std::size_t>(keycode)] = VirtualKeyOfKeycode(display, static_cast<unsigned>(keycode), keysym_name);
  }
  return codes;
}

bool ServerHas(Display* display, const char* extension) {
  int opcode = 0, event_base = 0, error_base = 0;
  return XQueryExtension(display, extension, &opcode, &event_base, &error_base);
}

// The X screens that Xinerama joins; empty for one screen, and where RandR
// runs (it shares no server with a Xinerama of several screens).
std::vector<MonitorRect> JoinedScreens(Display* display) {
  int event_base = 0, error_base = 0;
  if (ServerHas(display, "RANDR") || !ServerHas(display, "XINERAMA") ||
      !XineramaQueryExtension(display, &event_base, &error_base) || !XineramaIsActive(display)) {
    return {};
  }
  int count = 0;
  XineramaScreenInfo* heads = XineramaQueryScreens(display, &count);
  std::vector<MonitorRect> screens;
  for (int i = 0; i < count && count > 1; ++i) {
    screens.push_back({heads[i].x_org, heads[i].y_org, heads[i].width, heads[i].height});
  }
  if (heads != nullptr) XFree(heads);
  return screens;
}

bool Inside(const RootPoint& p, const MonitorRect& r) {
  return p.x >= r.x && p.x < int64_t{r.x} + r.width && p.y >= r.y && p.y < int64_t{r.y} + r.height;
}

std::optional<RecordedButton> ButtonOf(unsigned x_button) {
  switch (x_button) {
    case 1: return RecordedButton::Left;
    case 2: return RecordedButton::Middle;
    case 3: return RecordedButton::Right;
    default: return std::nullopt;
  }
}

}  // namespace

RootPoint DesktopPointOfRecorded(int x, int y, std::span<const MonitorRect> screens) {
  if (screens.empty()) return {x, y};
  const MonitorRect& first = screens.front();
  for (const MonitorRect& screen : screens) {
    const RootPoint p{int64_t{x} - (screen.x - first.x) + first.x, int64_t{y} - (screen.y - first.y) + first.y};
    if (Inside(p, screen)) return p;
  }
  return {int64_t{x} + first.x, int64_t{y} + first.y};
}

struct InputRecorder::State {
  Display* control = nullptr;
  Display* data = nullptr;
  XRecordContext context = 0;
  bool enabled = false;
  bool started = false;  // the server has begun to record
  bool ended = false;    // the server sent the end of the recorded data
  MonitorRect monitor;
  std::vector<MonitorRect> joined_screens;
  Sink sink;
  std::array<std::optional<uint8_t>, 256> key_codes{};
  // Server time in ms, made to go on past its 32-bit wrap.
  std::optional<uint32_t> last_server_ms;
  int64_t elapsed_ms = 0;
  LeftOut omitted;

  int64_t Clock(uint32_t server_ms) {
    if (last_server_ms) elapsed_ms += static_cast<uint32_t>(server_ms - *last_server_ms);
    last_server_ms = server_ms;
    return elapsed_ms;
  }

  void Take(const xEvent& event) {
    const int type = event.u.u.type & 0x7F;
    const unsigned detail = event.u.u.detail;
    RecordedInput input;
    input.time_ms = Clock(event.u.keyButtonPointer.time);
    if (type == KeyPress || type == KeyRelease) {
      const std::optional<uint8_t> vk = key_codes[detail];
      if (!vk) {
        omitted.keys_without_code += type == KeyPress;
        return;
      }
      input.kind = type == KeyPress ? RecordedKind::KeyDown : RecordedKind::KeyUp;
      input.vk = *vk;
    } else {
      const std::optional<RecordedButton> button = ButtonOf(detail);
      if (!button) {
        omitted.wheel_or_extra_buttons += type == ButtonPress;
        return;
      }
      input.kind = type == ButtonPress ? RecordedKind::ButtonDown : RecordedKind::ButtonUp;
      input.button = *button;
      const RootPoint root =
          DesktopPointOfRecorded(event.u.keyButtonPointer.rootX, event.u.keyButtonPointer.rootY, joined_screens);
      const RootPoint p = MonitorPointOfRoot(root.x, root.y, monitor);
      input.at = {p.x, p.y};
    }
    sink(input);
  }

  static void OnData(XPointer closure, XRecordInterceptData* data) {
    auto* self = reinterpret_cast<State*>(closure);
    if (data->category == XRecordFromServer && data->data_len * 4 >= sizeof(xEvent)) {
      self->Take(*reinterpret_cast<const xEvent*>(data->data));
    } else if (data->category == XRecordStartOfData) {
      self->started = true;
    } else if (data->category == XRecordEndOfData) {
      self->ended = true;
    }
    XRecordFreeData(data);
  }
};

InputRecorder::InputRecorder(Display* control, const MonitorRect& monitor, Sink sink, std::string& error)
    : state_(std::make_unique<State>()) {
  State& s = *state_;
  s.control = control;
  s.monitor = monitor;
  s.sink = std::move(sink);
  int major = 0, minor = 0;
  if (!XRecordQueryVersion(control, &major, &minor)) {
    error = std::string(dxplay_texts::kNoRecordMessage);
    return;
  }
  s.key_codes = KeyCodesOfKeyboard(control);
  s.joined_screens = JoinedScreens(control);
  s.data = XOpenDisplay(DisplayString(control));
  if (s.data == nullptr) {
    error = dxplay_texts::NoDisplayMessage(DisplayString(control));
    return;
  }
  XRecordRange* range = XRecordAllocRange();
  range->device_events.first = KeyPress;
  range->device_events.last = ButtonRelease;  // no motion: only where a button went down or up counts
  XRecordClientSpec clients = XRecordAllClients;
  s.context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
  XFree(range);
  XSync(control, False);
  if (s.context == 0 || !XRecordEnableContextAsync(s.data, s.context, State::OnData, reinterpret_cast<XPointer>(&s))) {
    error = std::string(dxplay_texts::kNoRecordMessage);
    return;
  }
  s.enabled = true;
  // Input from now on is recorded once the server says so.
  WaitUntil(s.started);
}

InputRecorder::~InputRecorder() {
  State& s = *state_;
  if (s.enabled && !s.ended) Finish();
  if (s.context != 0) {
    XRecordFreeContext(s.control, s.context);
    XSync(s.control, False);
  }
  if (s.data != nullptr) XCloseDisplay(s.data);
}

bool InputRecorder::Recording() const { return state_->enabled; }

int InputRecorder::Fd() const { return ConnectionNumber(state_->data); }

void InputRecorder::Process() { XRecordProcessReplies(state_->data); }

void InputRecorder::Finish() {
  State& s = *state_;
  if (!s.enabled) return;
  // Everything the server recorded before the disable comes first, then the end.
  XRecordDisableContext(s.control, s.context);
  XSync(s.control, False);
  WaitUntil(s.ended);
  s.enabled = false;
}

void InputRecorder::WaitUntil(const bool& flag) {
  constexpr int kWaitMs = 2000;  // the server answers at once; a bound in case it stalls
  while (!flag) {
    XRecordProcessReplies(state_->data);
    if (flag) return;
    pollfd fd{ConnectionNumber(state_->data), POLLIN, 0};
    if (poll(&fd, 1, kWaitMs) <= 0) return;
  }
}

const LeftOut& InputRecorder::Omitted() const { return state_->omitted; }

}  // namespace dx::x11
