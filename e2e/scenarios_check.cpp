// The script check from the code memo: F7 and the memo's context menu show
// the checker's findings for the document as the controls hold it, in a
// window of their own, and choosing a finding selects its line.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/crlf_lines.h"
#include "checker/check_script.h"
#include "e2e/input.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "texts/program_texts.h"
#include "ui/layout.h"

namespace dxe {

namespace {

namespace L = dx::layout;
using Rows = std::vector<std::vector<std::wstring>>;

enum class Trigger { F7, Menu };

struct CheckRow {
  Trigger trigger;
  const char* code;
  const char* px1;  // location slot 1 as its edits hold it
  const char* py1;
  int findings;  // at least; 0: none at all
};

// What the window must list: the program's own checker on the same document.
Rows ExpectedRows(const CheckRow& row) {
  dx::ScriptDocument document;
  document.code = dx::DocumentLines(row.code);
  document.locations[0] = {row.px1, row.py1};
  dx::check::CheckOptions options;
  options.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  Rows rows;
  for (const dx::check::Diagnostic& d : dx::check::CheckScript(document, options)) {
    const std::string message = (d.suggestion.empty() ? d.message : d.message + " (" + d.suggestion + ")") + " [" +
                                std::string(dx::check::RuleOf(d.rule).name) + "]";
    rows.push_back({d.line > 0 ? std::to_wstring(d.line) : L"", Widen(dx::check::SeverityName(d.severity())),
                    Widen(message)});
  }
  if (rows.empty()) rows.push_back({L"", L"", Widen(dx::kCheckNoFindings)});
  return rows;
}

POINT CentreOf(HWND control) {
  const RECT r = RectIn(control, nullptr);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Asks for the check as a user does, with the caret in the memo.
void AskForCheck(App& app, Trigger trigger, Report& r) {
  BringToFront(app.Main());
  HWND memo = app.Control("Memo");
  const POINT centre = CentreOf(memo);
  ClickAt(centre.x, centre.y, 1);
  r.Expect(WaitUntil([&] { return FocusOf(app.Main()) == memo; }, kTimeoutMs), "the memo has the focus");
  if (trigger == Trigger::F7) {
    PressKeys({VK_F7});
    return;
  }
  RightClickAt(centre.x, centre.y);
  const bool shown = WaitUntil([&] { return !TopWindows(L"#32768", app.Pid()).empty(); }, kTimeoutMs);
  if (r.Expect(shown, "a right click on the memo opens its context menu")) PressKeys({'S'});
}

void CheckWindow(Context& ctx, const void*) {
  static const CheckRow rows[] = {
      // An empty slot, a missing blank, a key left down.
      {Trigger::F7, "MOUSE GO 1\r\nLOOP5\r\nMOUSE LC\r\nENDLOOP\r\nKEY $41 DOWN\r\nendscript", "", "", 4},
      // The slot as typed into its edits counts: its finding is gone.
      {Trigger::Menu, "MOUSE GO 1\r\nLOOP5\r\nMOUSE LC\r\nENDLOOP\r\nKEY $41 DOWN\r\nendscript", "10", "20", 3},
      {Trigger::F7, "BEEP\r\nendscript", "", "", 0},
  };
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  HWND memo = app.Control("Memo");
  if (!memo || !r.Expect(app.ShowPage(L::IdPageCode), "the code page shows")) return;
  for (const CheckRow& row : rows) {
    const std::string how = row.trigger == Trigger::F7 ? " (F7)" : " (context menu)";
    app.SetText("Memo", Widen(row.code));
    app.SetText("px1", Widen(row.px1));
    app.SetText("py1", Widen(row.py1));
    AskForCheck(app, row.trigger, r);
    HWND window = nullptr, list = nullptr;
    const Rows want = ExpectedRows(row);
    if (row.findings == 0) {
      r.Expect(want.size() == 1 && want[0][0].empty(), "the checker finds nothing in " + Shown(Widen(row.code)));
    } else {
      r.Expect(int(want.size()) >= row.findings, "the checker finds at least " + std::to_string(row.findings) + " in " +
                                                      Shown(Widen(row.code)));
    }
    Rows seen;
    WaitUntil([&] {
      window = FindTopWindow(app.Pid(), Widen(L::kCheckWindowClass));
      list = window ? GetDlgItem(window, L::IdListFindings) : nullptr;
      return list && (seen = ListViewRows(app.Process(), list, 3)) == want;
    }, kTimeoutMs);
    if (!r.Expect(window != nullptr, "the check window shows" + how)) continue;
    r.ExpectText(WindowText(window), Widen(dx::kCheckCaption), "the check window's caption");
    std::wstring listed;
    for (const auto& cells : seen) listed += cells[0] + L" | " + cells[1] + L" | " + cells[2] + L"\n";
    r.Expect(seen == want, std::to_string(want.size()) + " rows: the checker's findings" + how, Narrow(listed));
    // The last finding that has a line is chosen with a click.
    int chosen = -1;
    for (int i = 0; i < int(want.size()); ++i)
      if (!want[size_t(i)][0].empty()) chosen = i;
    if (chosen < 0 || seen != want) continue;
    const int line = std::stoi(want[size_t(chosen)][0]) - 1;
    RECT item = ListViewItemRect(app.Process(), list, chosen);
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &at);
    ClickAt(at.x, at.y, 1);
    const int start = int(Send(memo, EM_LINEINDEX, WPARAM(line)));
    const int end = start + int(Send(memo, EM_LINELENGTH, WPARAM(start)));
    const bool selected = WaitUntil([&] { return EditSelection(memo) == std::make_pair(start, end); }, kTimeoutMs);
    const auto [s0, s1] = EditSelection(memo);
    r.Expect(selected, "choosing the finding of line " + std::to_string(line + 1) + " selects that line" + how,
             std::to_string(s0) + ".." + std::to_string(s1));
    r.ExpectInt(Send(app.Control("TabMain"), TCM_GETCURSEL), L::IdPageCode - L::IdPageMain, "the code page shows");
  }
  // Escape in the list puts the window away.
  if (HWND window = FindTopWindow(app.Pid(), Widen(L::kCheckWindowClass))) {
    BringToFront(window);
    PressKeys({VK_ESCAPE});
    r.Expect(WaitUntil([&] { return !IsWindowVisible(window); }, kTimeoutMs), "Escape hides the check window");
  }
  // The edit's own entries stay in the menu and work: "Select All".
  BringToFront(app.Main());
  const POINT centre = CentreOf(memo);
  RightClickAt(centre.x, centre.y);
  if (WaitUntil([&] { return !TopWindows(L"#32768", app.Pid()).empty(); }, kTimeoutMs)) PressKeys({'A'});
  const int length = int(Send(memo, WM_GETTEXTLENGTH));
  r.Expect(WaitUntil([&] { return EditSelection(memo) == std::make_pair(0, length); }, kTimeoutMs),
           "the context menu's \"Select All\" selects the whole code");
}

}  // namespace

void AddCheckScenarios(std::vector<Scenario>& out) {
  out.push_back({"check_window",
                 "F7 and the memo's context menu list the checker's findings; a finding chosen selects its line",
                 CheckWindow});
}

}  // namespace dxe
