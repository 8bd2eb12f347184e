// The main window as it starts, checked control by control against the
// layout table, and the resize rule.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
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

void CheckGeometry(Report& r, App& app, const ControlRow& c, HWND h) {
  HWND parent = ParentWindow(app, c);
  if (!parent) return;
  RECT got = RectIn(h, parent);
  const int w = got.right - got.left, ht = got.bottom - got.top;
  bool ok = got.left == c.left && got.top == c.top && ht == c.height;
  if (!c.Has(L::kAutoWidth)) ok = ok && w == c.width;
  RECT want{c.left, c.top, c.left + c.width, c.top + c.height};
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

void StartState(Context& ctx, const void*) {
  Session s(ctx, false);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  r.ExpectText(WindowText(app.Main()), Widen(L::kMainWindowCaption), "main window caption");
  RECT outer = RectIn(app.Main(), nullptr);
  r.Expect(outer.right - outer.left == 300 && outer.bottom - outer.top == 330, "outer size 300 x 330",
           RectText(outer));
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  r.Expect(std::abs(outer.left - (sw - 300) / 2) <= 1 && std::abs(outer.top - (sh - 330) / 2) <= 1,
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
    CheckGeometry(r, app, c, h);
  }
  r.ExpectInt(Send(app.Control("Memo"), EM_GETLINECOUNT), 1, "Memo line count at start");
  CheckHints(r, app);
  // The picker is built hidden at start-up.
  r.Expect(!IsWindowVisible(app.Picker()), "the picker is hidden at start");
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
}

}  // namespace dxe
