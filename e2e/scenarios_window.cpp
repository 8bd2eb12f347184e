// The main window as it starts, checked control by control against the
// layout table, and the resize rule.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/input.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "ui/layout.h"

namespace dxe {

namespace {

using dx::layout::ControlRow;
using dx::layout::Kind;
namespace L = dx::layout;

const wchar_t* ClassFor(Kind kind) {
  switch (kind) {
    case Kind::TabControl: return WC_TABCONTROLW;
    case Kind::StatusBar: return STATUSCLASSNAMEW;
    case Kind::Label: return L"Static";
    case Kind::Edit:
    case Kind::Memo: return L"Edit";
    case Kind::GroupBox:
    case Kind::CheckBox:
    case Kind::PushButton:
    case Kind::PictureButton: return L"Button";
    case Kind::ListBox: return L"ListBox";
    case Kind::Page: return nullptr;  // the program's own class
  }
  return nullptr;
}

const char* PageControl(L::Page page) {
  switch (page) {
    case L::Page::Main: return "PageMain";
    case L::Page::Locations: return "PageLocations";
    case L::Page::Keys: return "PageKeys";
    case L::Page::Code: return "PageCode";
    case L::Page::Help: return "PageHelp";
    case L::Page::None: break;
  }
  return nullptr;
}

HWND ParentWindow(App& app, const ControlRow& c) {
  switch (c.parent) {
    case L::Parent::MainWindow: return app.Main();
    case L::Parent::TabMain: return app.Control("TabMain");
    case L::Parent::Page: return app.Control(PageControl(c.page));
    case L::Parent::GroupBox1: return app.Control("GroupBox1");
    case L::Parent::Picker: return app.Picker();
  }
  return nullptr;
}

std::string RectText(const RECT& r) {
  char buf[80];
  std::snprintf(buf, sizeof buf, "%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return buf;
}

// A control that fills its parent or keeps to its bottom: its place follows
// the window frame and the tab strip.
bool FollowsFrame(const ControlRow& c) { return c.Has(L::kFillParent) || c.Has(L::kAlignBottom); }

// Exact at 96 DPI. Scaled, a place may round either way by a pixel, and the
// frame and the tab strip that some follow have metrics of their own.
int Slack(const ControlRow& c, int dpi) {
  if (dpi == 96) return 0;
  return FollowsFrame(c) ? L::Scaled(4, dpi) : 1;
}

void CheckGeometry(Report& r, App& app, const ControlRow& c, HWND h, int dpi) {
  HWND parent = ParentWindow(app, c);
  if (!parent) return;
  RECT got = RectIn(h, parent);
  const int w = got.right - got.left, ht = got.bottom - got.top;
  const int left = L::Scaled(c.left, dpi), top = L::Scaled(c.top, dpi);
  const int width = L::Scaled(c.width, dpi), height = L::Scaled(c.height, dpi);
  const int slack = Slack(c, dpi);
  auto within = [slack](int seen, int want) { return std::abs(seen - want) <= slack; };
  bool ok = within(got.left, left) && within(got.top, top) && within(ht, height);
  if (!c.Has(L::kAutoWidth)) ok = ok && within(w, width);
  RECT want{left, top, left + width, top + height};
  r.Expect(ok, c.name + " stands at " + RectText(want) + (c.Has(L::kAutoWidth) ? " (any width)" : ""),
           RectText(got));
}

void CheckText(Report& r, App& app, const ControlRow& c, HWND h) {
  if (c.kind == Kind::Page) {
    const int index = c.id - L::IdPageMain;
    r.ExpectText(TabText(app.Process(), app.Control("TabMain"), index), Widen(c.caption), c.name + " tab text");
    return;
  }
  if (c.kind == Kind::PictureButton || c.kind == Kind::StatusBar || c.kind == Kind::TabControl ||
      c.kind == Kind::ListBox)
    return;
  r.ExpectText(WindowText(h), Widen(c.caption), c.name + " text");
}

void CheckStyle(Report& r, const ControlRow& c, HWND h) {
  const LONG style = GetWindowLongW(h, GWL_STYLE);
  if (c.kind == Kind::Edit || c.kind == Kind::Memo)
    r.Expect(((style & ES_READONLY) != 0) == c.Has(L::kReadOnly),
             c.name + (c.Has(L::kReadOnly) ? " is read-only" : " is editable"));
  if (c.kind == Kind::CheckBox)
    r.ExpectInt(Send(h, BM_GETCHECK), c.Has(L::kChecked) ? BST_CHECKED : BST_UNCHECKED, c.name + " check state");
  if (c.kind == Kind::PushButton || c.kind == Kind::PictureButton || c.kind == Kind::Edit ||
      c.kind == Kind::Memo || c.kind == Kind::CheckBox || c.kind == Kind::ListBox)
    r.Expect(((style & WS_TABSTOP) != 0) == c.Has(L::kTabStop),
             c.name + (c.Has(L::kTabStop) ? " takes part in Tab navigation" : " is left out of Tab navigation"));
  if (c.Has(L::kDefaultButton)) r.Expect((style & 0x0F) == BS_DEFPUSHBUTTON, c.name + " is the default button");
  if (c.Has(L::kScrollBars))
    r.Expect((style & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL), c.name + " has both scroll bars");
  if (c.Has(L::kNoHideSel)) r.Expect((style & ES_NOHIDESEL) != 0, c.name + " keeps its selection visible");
}

void CheckHints(Report& r, App& app) {
  auto tools = Tooltips(app.Process(), app.Pid());
  for (const ControlRow& c : L::Controls()) {
    if (c.hint.empty()) continue;
    HWND h = app.Control(c.name);
    std::wstring seen = L"<no tool>";
    for (const Tool& t : tools)
      if (t.control == h) seen = t.text;
    r.ExpectText(seen, Widen(c.hint), c.name + " hint");
  }
  // The tips learn where the pointer is from the relayed mouse messages:
  // resting on "go" must bring its tip up.
  const RECT go = RectIn(app.Control("BGO"), nullptr);
  // Two moves: a pointer already resting there would send no move at all.
  ClickAt((go.left + go.right) / 2 - 3, (go.top + go.bottom) / 2, 0);
  ClickAt((go.left + go.right) / 2, (go.top + go.bottom) / 2, 0);
  const bool shown = WaitUntil(
      [&] {
        for (HWND tip : TooltipWindows(app.Pid()))
          if (IsWindowVisible(tip) && Send(tip, TTM_GETCURRENTTOOLW) != 0) return true;
        return false;
      },
      kTimeoutMs);
  r.Expect(shown, "the pointer resting on BGO shows its tip");
}

// Only the version 6 buttons of the manifest's dependency know
// BCM_GETIDEALSIZE; the classic ones answer 0.
bool VersionSixButton(App& app, HWND button) {
  RemoteBuffer size(app.Process(), sizeof(SIZE));
  const SIZE none{};
  size.Write(&none, sizeof none);
  return Send(button, BCM_GETIDEALSIZE, 0, size.Address()) != 0;
}

void StartState(Context& ctx, const void*) {
  Session s(ctx, false);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  r.ExpectText(WindowText(app.Main()), Widen(L::kMainWindowCaption), "main window caption");
  RECT outer = RectIn(app.Main(), nullptr);
  const int width = L::Scaled(L::kMainStartWidth, ctx.dpi), height = L::Scaled(L::kMainStartHeight, ctx.dpi);
  r.Expect(outer.right - outer.left == width && outer.bottom - outer.top == height,
           "outer size " + std::to_string(width) + " x " + std::to_string(height), RectText(outer));
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  r.Expect(std::abs(outer.left - (sw - width) / 2) <= 1 && std::abs(outer.top - (sh - height) / 2) <= 1,
           "centred on the screen", RectText(outer));
  const LONG style = GetWindowLongW(app.Main(), GWL_STYLE);
  r.Expect((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU)) ==
               (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU),
           "resizable, with system menu, minimise and maximise boxes");
  HWND tab = app.Control("TabMain");
  r.ExpectInt(Send(tab, TCM_GETITEMCOUNT), 5, "page count");
  r.ExpectInt(Send(tab, TCM_GETCURSEL), 0, "page shown at start (main)");
  r.ExpectText(app.Status(), L"", "status bar at start");
  for (const ControlRow& c : L::Controls()) {
    HWND h = app.Control(c.name);
    if (!h) continue;
    if (const wchar_t* cls = ClassFor(c.kind)) r.ExpectText(ClassOf(h), cls, c.name + " window class");
    if (c.kind == Kind::Page)
      r.Expect((IsWindowVisible(h) != 0) == (c.page == L::Page::Main), c.name + " visible only when chosen");
    CheckText(r, app, c, h);
    CheckStyle(r, c, h);
    CheckGeometry(r, app, c, h, ctx.dpi);
  }
  r.ExpectInt(Send(app.Control("Memo"), EM_GETLINECOUNT), 1, "Memo line count at start");
  r.Expect(VersionSixButton(app, app.Control("Button2")), "the controls are those of Common Controls 6");
  CheckHints(r, app);
  // The picker is built hidden at start-up.
  r.Expect(!IsWindowVisible(app.Picker()), "the picker is hidden at start");
}

// The geometry of every control against the table at `dpi`; of those that
// follow the frame only when the frame is drawn at that DPI too.
void CheckAllGeometry(Report& r, App& app, int dpi, bool frame_at_dpi) {
  for (const ControlRow& c : L::Controls())
    if (HWND h = app.Control(c.name); h && (frame_at_dpi || !FollowsFrame(c))) CheckGeometry(r, app, c, h, dpi);
}

// WM_DPICHANGED as the system sends it, the suggested place in the
// program's memory (no one marshals this message's pointer).
void SendDpiChanged(App& app, HWND window, int dpi, const RECT& suggested) {
  RemoteBuffer place(app.Process(), sizeof suggested);
  place.Write(&suggested, sizeof suggested);
  Send(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), place.Address());
}

// Both windows moved to a monitor of another DPI and back: each time the
// main window takes the suggested place and every control the table's.
void DpiChange(Context& ctx, const void*) {
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  for (const int dpi : {ctx.dpi * 3 / 2, ctx.dpi}) {
    const int width = L::Scaled(L::kMainStartWidth, dpi), height = L::Scaled(L::kMainStartHeight, dpi);
    const RECT suggested{10, 20, 10 + width, 20 + height};
    SendDpiChanged(app, app.Main(), dpi, suggested);
    SendDpiChanged(app, app.Picker(), dpi, RectIn(app.Picker(), nullptr));
    const std::string at = " at " + std::to_string(dpi) + " DPI";
    const RECT seen = RectIn(app.Main(), nullptr);
    r.Expect(EqualRect(&suggested, &seen) != 0, "the window takes the suggested place" + at, RectText(seen));
    // Here the system draws the frame at its own DPI whatever the message says.
    CheckAllGeometry(r, app, dpi, dpi == ctx.dpi);
  }
}

// Outer size to ask for, and what the window and FormResize must make of it.
struct ResizeRow {
  int ask_w, ask_h;
  int outer_w, outer_h;
  int notes_h, go_left;
};

void Resize(Context& ctx, const void*) {
  static const ResizeRow rows[] = {
      {400, 430, 400, 430, 236, 359},  // grown
      {200, 150, 300, 250, 56, 259},   // below the minimum
      {300, 330, 300, 330, 136, 259},  // back to the start size
      {1000, 250, 1000, 250, 56, 959},
  };
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  HWND notes = app.Control("MemoNotes"), go = app.Control("BGO"), label = app.Control("LabelNotes");
  HWND group = app.Control("GroupBox1");
  if (!notes || !go || !label || !group) return;
  for (const ResizeRow& row : rows) {
    const std::string at = " at " + std::to_string(row.ask_w) + " x " + std::to_string(row.ask_h);
    SetWindowPos(app.Main(), nullptr, 0, 0, row.ask_w, row.ask_h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto settled = [&] {
      RECT o = RectIn(app.Main(), nullptr);
      return o.right - o.left == row.outer_w && o.bottom - o.top == row.outer_h &&
             RectIn(notes, nullptr).bottom - RectIn(notes, nullptr).top == row.notes_h &&
             RectIn(go, app.Main()).left == row.go_left;
    };
    WaitUntil(settled, 5000);
    RECT o = RectIn(app.Main(), nullptr);
    r.Expect(o.right - o.left == row.outer_w && o.bottom - o.top == row.outer_h,
             "outer size " + std::to_string(row.outer_w) + " x " + std::to_string(row.outer_h) + at, RectText(o));
    RECT n = RectIn(notes, group);
    r.ExpectInt(n.bottom - n.top, row.notes_h, "MemoNotes height" + at);
    r.ExpectInt(RectIn(go, app.Main()).left, row.go_left, "BGO left" + at);
    r.Expect(n.top >= RectIn(label, group).bottom, "MemoNotes stays below \"Notes:\"" + at, RectText(n));
    RECT gc;
    GetClientRect(group, &gc);
    r.ExpectInt(gc.bottom - n.bottom, 2, "MemoNotes bottom inset in its group box" + at);
  }
}

}  // namespace

void AddWindowScenarios(std::vector<Scenario>& out) {
  out.push_back({"start_state", "caption, pages, every control's text, state, geometry and hint", StartState});
  out.push_back({"resize", "FormResize and the minimum size", Resize});
  out.push_back({"dpi_change", "moved to a monitor of 1.5 times the DPI and back: the table at each", DpiChange});
}

}  // namespace dxe
