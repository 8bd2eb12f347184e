#include "e2e/scenario.h"

#include <algorithm>

#include "e2e/dialogs.h"
#include "e2e/remote.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "ui/layout.h"

namespace dxe {

std::vector<Scenario> AllScenarios() {
  std::vector<Scenario> all;
  AddWindowScenarios(all);
  AddRunScenarios(all);
  AddFileScenarios(all);
  AddPickerScenarios(all);
  AddCaptureScenarios(all);
  AddHotKeyScenarios(all);
  AddReleaseScenarios(all);
  AddPixelScenarios(all);
  AddCheckScenarios(all);
  return all;
}

Session::Session(Context& c, bool move_to_corner) : ctx(c) {
  ok = app.Start(c.exe, c.workdir, c.report);
  if (ok && move_to_corner) {
    SetWindowPos(app.Main(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    WaitUntil([&] { return RectIn(app.Main(), nullptr).left == 0; }, kTimeoutMs);
  }
}

Session::~Session() {
  CloseAllDialogs(app.Pid());
  app.Stop(ctx.report);
}

std::unique_ptr<Target> MakeTarget(const std::wstring& title) {
  return std::make_unique<Target>(title, kTargetX, kTargetY, kTargetW, kTargetH);
}

bool ChooseInPicker(Session& s, const std::wstring& entry) {
  Report& r = s.ctx.report;
  s.app.Click("SBWin");
  if (!r.Expect(WaitUntil([&] { return IsWindowVisible(s.app.Picker()) != FALSE; }, kTimeoutMs),
                "SBWin shows the picker"))
    return false;
  HWND list = s.app.Control("ListWin");
  if (!list) return false;
  // The list is rebuilt when the picker shows; wait for our entry.
  int index = -1;
  WaitUntil([&] {
    auto entries = ListBoxEntries(list);
    auto it = std::find(entries.begin(), entries.end(), entry);
    index = it == entries.end() ? -1 : int(it - entries.begin());
    return index >= 0;
  }, kTimeoutMs);
  if (!r.Expect(index >= 0, "the picker lists " + Shown(entry))) return false;
  Send(list, LB_SETCURSEL, WPARAM(index));
  s.app.Click("BOK");
  r.Expect(WaitUntil([&] { return !IsWindowVisible(s.app.Picker()); }, kTimeoutMs), "\"&ok\" hides the picker");
  return r.ExpectText(s.app.Text("EditWin"), entry, "EditWin after \"&ok\"");
}

std::pair<int, int> EditSelection(HWND edit) {
  DWORD start = 0, end = 0;
  // EM_GETSEL with null pointers: the packed result is enough for short texts.
  auto packed = Send(edit, EM_GETSEL);
  start = LOWORD(packed);
  end = HIWORD(packed);
  return {int(start), int(end)};
}

}  // namespace dxe
