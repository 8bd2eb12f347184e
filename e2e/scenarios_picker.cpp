// The window picker: its look, the entry form, refresh, "&ok" without a
// selection and choosing by double click.
#include <algorithm>
#include <cwctype>
#include <string>

#include "e2e/input.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "ui/layout.h"

namespace dxe {

namespace {

bool IsEntryForm(const std::wstring& e) {
  if (e.size() < 12 || e.compare(8, 3, L" - ") != 0) return false;
  return std::all_of(e.begin(), e.begin() + 8, [](wchar_t c) { return std::iswdigit(c) || (c >= 'A' && c <= 'F'); });
}

bool Listed(HWND list, const std::wstring& entry) {
  auto all = ListBoxEntries(list);
  return std::find(all.begin(), all.end(), entry) != all.end();
}

bool OpenPicker(Session& s) {
  s.app.Click("SBWin");
  return s.ctx.report.Expect(WaitUntil([&] { return IsWindowVisible(s.app.Picker()) != FALSE; }, kTimeoutMs),
                             "SBWin shows the picker");
}

void ListForm(Context& ctx, const void*) {
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  auto target = MakeTarget();
  if (!OpenPicker(s)) return;
  HWND picker = s.app.Picker();
  r.ExpectText(WindowText(picker), Widen(dx::layout::kPickerCaption), "picker caption");
  RECT client;
  GetClientRect(picker, &client);
  r.Expect(client.right == 250 && client.bottom == 289, "picker client area 250 x 289",
           std::to_string(client.right) + " x " + std::to_string(client.bottom));
  const LONG style = GetWindowLongW(picker, GWL_STYLE);
  r.Expect(!(style & WS_THICKFRAME) && !(style & WS_MINIMIZEBOX) && !(style & WS_MAXIMIZEBOX),
           "fixed size, no minimise or maximise box");
  // Centred over the main window the first time.
  RECT m = RectIn(s.app.Main(), nullptr), p = RectIn(picker, nullptr);
  const int dx = (m.left + m.right) / 2 - (p.left + p.right) / 2, dy = (m.top + m.bottom) / 2 - (p.top + p.bottom) / 2;
  r.Expect(std::abs(dx) <= 1 && std::abs(dy) <= 1, "centred over the main window",
           std::to_string(dx) + "," + std::to_string(dy));
  HWND list = s.app.Control("ListWin");
  r.Expect(WaitUntil([&] { return Listed(list, target->Entry()); }, kTimeoutMs), "the target is listed",
           Narrow(target->Entry()));
  auto entries = ListBoxEntries(list);
  for (const auto& e : entries) r.Expect(IsEntryForm(e), "entry in the form XXXXXXXX - title", Shown(e));
  wchar_t main_entry[16];
  swprintf(main_entry, 16, L"%08X", unsigned(UINT_PTR(s.app.Main())));
  r.Expect(Listed(list, std::wstring(main_entry) + L" - Dorvaxil"), "the tool's own main window is listed");
  r.ExpectInt(Send(list, LB_GETCURSEL), LB_ERR, "no entry selected after a rebuild");
  r.ExpectInt(Send(list, LB_GETITEMHEIGHT, 0), 13, "entries 13 high");
}

void Refresh(Context& ctx, const void*) {
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  if (!OpenPicker(s)) return;
  HWND list = s.app.Control("ListWin");
  auto late = std::make_unique<Target>(L"dxdriver late window", 620, 60, 200, 120);
  PumpFor(300);
  r.Expect(!Listed(list, late->Entry()), "a window opened later is not listed before refresh");
  s.app.Click("obnovit");
  r.Expect(WaitUntil([&] { return Listed(list, late->Entry()); }, kTimeoutMs), "\"&refresh\" lists the new window");
  // Closing and showing the picker again also rebuilds the list.
  late.reset();
  s.app.Click("BOK");
  WaitUntil([&] { return !IsWindowVisible(s.app.Picker()); }, kTimeoutMs);
  auto later = std::make_unique<Target>(L"dxdriver later window", 620, 60, 200, 120);
  if (!OpenPicker(s)) return;
  r.Expect(WaitUntil([&] { return Listed(list, later->Entry()); }, kTimeoutMs), "showing again rebuilds the list");
}

void OkWithoutSelection(Context& ctx, const void*) {
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  const std::wstring before = L"00012345 - earlier choice";
  s.app.SetText("EditWin", before);
  if (!OpenPicker(s)) return;
  Send(s.app.Control("ListWin"), LB_SETCURSEL, WPARAM(-1));
  s.app.Click("BOK");
  r.Expect(WaitUntil([&] { return !IsWindowVisible(s.app.Picker()); }, kTimeoutMs), "\"&ok\" hides the picker");
  r.ExpectText(s.app.Text("EditWin"), before, "EditWin keeps its text");
  // The close box leaves EditWin unchanged as well.
  if (!OpenPicker(s)) return;
  Send(s.app.Control("ListWin"), LB_SETCURSEL, 0);
  PostMessageW(s.app.Picker(), WM_CLOSE, 0, 0);
  r.Expect(WaitUntil([&] { return !IsWindowVisible(s.app.Picker()); }, kTimeoutMs), "the close box hides the picker");
  r.Expect(IsWindow(s.app.Picker()) != FALSE, "closing only hides the picker");
  r.ExpectText(s.app.Text("EditWin"), before, "EditWin after the close box");
}

void DoubleClick(Context& ctx, const void*) {
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  auto target = MakeTarget();
  if (!OpenPicker(s)) return;
  HWND list = s.app.Control("ListWin");
  WaitUntil([&] { return Listed(list, target->Entry()); }, kTimeoutMs);
  auto entries = ListBoxEntries(list);
  int index = int(std::find(entries.begin(), entries.end(), target->Entry()) - entries.begin());
  if (!r.Expect(index < int(entries.size()), "the target is listed")) return;
  Send(list, LB_SETTOPINDEX, WPARAM(index));
  BringToFront(s.app.Picker());
  RECT item = ListBoxItemRect(s.app.Process(), list, index);
  POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(list, &p);
  ClickAt(p.x, p.y, 2);
  r.Expect(WaitUntil([&] { return !IsWindowVisible(s.app.Picker()); }, kTimeoutMs), "a double click closes the picker");
  r.ExpectText(s.app.Text("EditWin"), target->Entry(), "EditWin after the double click");
}

}  // namespace

void AddPickerScenarios(std::vector<Scenario>& out) {
  out.push_back({"picker_list", "caption, size, place and the entry form", ListForm});
  out.push_back({"picker_refresh", "refresh and re-showing list a new window", Refresh});
  out.push_back({"picker_ok_no_selection", "\"&ok\" or the close box without a choice keep EditWin", OkWithoutSelection});
  out.push_back({"picker_double_click", "a double click chooses the entry", DoubleClick});
}

}  // namespace dxe
