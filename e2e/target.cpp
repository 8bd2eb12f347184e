#include "e2e/target.h"

#include <windowsx.h>

#include <cstdio>

#include "e2e/app.h"
#include "e2e/text.h"
#include "e2e/wait.h"

namespace dxe {

namespace {

constexpr wchar_t kClass[] = L"DxDriverTarget";

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  WNDCLASSW wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return DefWindowProcW(h, m, w, l);
  };
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  done = true;
}

}  // namespace

const char* EvName(Ev kind) {
  static const char* names[] = {"activate", "move", "ldown", "lup", "rdown", "rup", "mdown", "mup", "ldouble",
                                "keydown", "keyup", "char"};
  return names[int(kind)];
}

Target::Target(const std::wstring& title, int x, int y, int width, int height, bool draw_strokes)
    : title_(title), draw_strokes_(draw_strokes) {
  RegisterOnce();
  hwnd_ = CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPED | WS_CAPTION, x, y, width, height, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, LONG_PTR(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, LONG_PTR(&Target::Proc));
  // Shown on top without taking the activation: under Wine a window that
  // is activated as it appears moves the X focus only once it is mapped,
  // and when the scenario has brought the tool to the front meanwhile, that
  // late move hands the foreground to the desktop.
  ShowWindow(hwnd_, SW_SHOWNA);
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
  Pump();
}

Target::~Target() {
  if (hwnd_) DestroyWindow(hwnd_);
  Pump();
}

std::wstring Target::Entry() const {
  wchar_t handle[16];
  swprintf(handle, 16, L"%08X", unsigned(UINT_PTR(hwnd_)));
  return std::wstring(handle) + L" - " + title_;
}

POINT Target::ToScreen(int client_x, int client_y) const {
  POINT p{client_x, client_y};
  ClientToScreen(hwnd_, &p);
  return p;
}

void Target::Fill(COLORREF colour) {
  colour_ = colour;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
  GdiFlush();
  Pump();
}

int Target::Find(Ev kind, int from, int x, int y, unsigned code, int key_data) const {
  for (size_t i = size_t(from < 0 ? 0 : from); i < events_.size(); ++i) {
    const Event& e = events_[i];
    if (e.kind != kind) continue;
    if (x >= 0 && (e.x != x || e.y != y)) continue;
    if (code && e.code != code) continue;
    if (key_data >= 0 && e.key_data != key_data) continue;
    return int(i);
  }
  return -1;
}

std::string Target::Describe() const {
  std::string out;
  for (const Event& e : events_) {
    if (!out.empty()) out += ' ';
    char buf[64];
    if (e.kind == Ev::Activate) std::snprintf(buf, sizeof buf, "%s", EvName(e.kind));
    else if (e.kind == Ev::Char) std::snprintf(buf, sizeof buf, "%s:%X", EvName(e.kind), e.code);
    else if (e.kind >= Ev::KeyDown) std::snprintf(buf, sizeof buf, "%s:%X/%03X", EvName(e.kind), e.code, e.key_data);
    else std::snprintf(buf, sizeof buf, "%s@%d,%d", EvName(e.kind), e.x, e.y);
    out += buf;
  }
  return out.empty() ? "no events" : out;
}

LRESULT CALLBACK Target::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Target*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self ? self->Handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

void Target::Record(Ev kind, LPARAM lp, unsigned code) {
  Event e{kind, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), code, 0, NowMs()};
  if (kind >= Ev::KeyDown) {
    e.x = e.y = 0;
    e.key_data = int((lp >> 16) & 0x1FF);
  }
  events_.push_back(e);
}

LRESULT Target::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) Record(Ev::Activate, 0);
      return DefWindowProcW(hwnd_, msg, wp, lp);
    case WM_MOUSEMOVE:
      Record(Ev::Move, lp);
      if (drawing_) {
        strokes_.back().push_back({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
      Record(Ev::LDown, lp);
      if (draw_strokes_) {
        drawing_ = true;
        strokes_.push_back({{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}});
        InvalidateRect(hwnd_, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONUP: Record(Ev::LUp, lp); drawing_ = false; return 0;
    case WM_LBUTTONDBLCLK: Record(Ev::LDouble, lp); return 0;
    case WM_RBUTTONDOWN: Record(Ev::RDown, lp); return 0;
    case WM_RBUTTONUP: Record(Ev::RUp, lp); return 0;
    case WM_MBUTTONDOWN: Record(Ev::MDown, lp); return 0;
    case WM_MBUTTONUP: Record(Ev::MUp, lp); return 0;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: Record(Ev::KeyDown, lp, unsigned(wp)); return 0;
    case WM_KEYUP: case WM_SYSKEYUP: Record(Ev::KeyUp, lp, unsigned(wp)); return 0;
    case WM_CHAR: Record(Ev::Char, lp, unsigned(wp)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      RECT r;
      GetClientRect(hwnd_, &r);
      HBRUSH brush = CreateSolidBrush(colour_);
      FillRect(dc, &r, brush);
      DeleteObject(brush);
      HPEN pen = CreatePen(PS_SOLID, 3, RGB(200, 30, 30));
      HGDIOBJ old = SelectObject(dc, pen);
      for (const auto& stroke : strokes_) {
        if (stroke.size() == 1) Ellipse(dc, stroke[0].x - 4, stroke[0].y - 4, stroke[0].x + 4, stroke[0].y + 4);
        else Polyline(dc, stroke.data(), int(stroke.size()));
      }
      SelectObject(dc, old);
      DeleteObject(pen);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

bool Target::WaitInFront(int timeout_ms) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == GetDesktopWindow()) SetForegroundWindow(hwnd_);
        return InFront(hwnd_);
      },
      timeout_ms);
}

}  // namespace dxe
