// Runs through the real window: a script, the slots it uses, how the target
// is chosen, what the driver does during the run, and what must be seen at
// the target, in the message box, the status bar, the button and the editor.
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/dialogs.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "texts/program_texts.h"
#include "ui/layout.h"

namespace dxe {

namespace {

enum class Choose { Nothing, Direct, Picker };
enum class During { Nothing, StopButton, ChangeColour };
enum class Icon { Any, None };

struct Location {
  int slot, client_x, client_y;  // a point inside the target window
};
struct KeyText {
  int slot;
  const wchar_t* text;
};
struct Want {
  Ev kind;
  int x = -1, y = -1;  // client point of mouse events
  unsigned code = 0;   // key code or character
};

struct RunCase {
  const char* name;
  const char* what;
  const wchar_t* code;
  Choose choose;
  std::vector<Location> locations;
  std::vector<KeyText> keys;
  During during;
  std::vector<Want> events;     // in this order, others may come between
  bool exact_keys;              // no key event but the wanted ones
  const wchar_t* message;       // text of the box the run ends with
  Icon icon;                    // of that box
  bool runs;                    // whether a run starts at all
  int min_ms;                   // shortest duration from "go" to the end
  int highlight_start = -1, highlight_end = -1;
};

const std::wstring kNoWindow = Widen(dx::kNoWindowMessage);

const RunCase kCases[] = {
    {"typical_road", "slot 1, target from the picker, move + left click, DELAY 500, ENDSCRIPT",
     L"MOUSE GO 1\r\nMOUSE LC\r\nDELAY 500\r\nENDSCRIPT", Choose::Picker, {{1, 60, 70}}, {}, During::Nothing,
     {{Ev::Move, 60, 70}, {Ev::LDown, 60, 70}, {Ev::LUp, 60, 70}}, false, nullptr, Icon::Any, true, 500},
    {"mouse_points", "moves and clicks land on the exact pixel, for three rows in a row",
     L"MOUSE GO 1\r\nMOUSE LC\r\nMOUSE GO 2\r\nMOUSE RC\r\nMOUSE GO 3\r\nMOUSE MC\r\nMOUSE GO .0.0\r\nENDSCRIPT",
     Choose::Direct, {{1, 30, 40}, {2, 31, 41}, {3, 32, 42}}, {}, During::Nothing,
     {{Ev::Move, 30, 40}, {Ev::LDown, 30, 40}, {Ev::LUp, 30, 40}, {Ev::Move, 31, 41}, {Ev::RDown, 31, 41},
      {Ev::RUp, 31, 41}, {Ev::Move, 32, 42}, {Ev::MDown, 32, 42}, {Ev::MUp, 32, 42}},
     false, nullptr, Icon::Any, true, 0},
    // The DELAY gives the target's thread time to take the focus: under Wine a
    // key sent at once after SetForegroundWindow finds no focus window and is lost.
    {"keys", "KEY with a literal code and with a key slot",
     L"KEY $41 PRESS\r\nKEY #01 PRESS\r\nKEY 03 PRESS\r\nendscript", Choose::Direct, {}, {{1, L"42"}, {3, L"43"}},
     During::Nothing,
     {{Ev::KeyDown, -1, -1, 0x41}, {Ev::Char, -1, -1, 'a'}, {Ev::KeyUp, -1, -1, 0x41},
      {Ev::KeyDown, -1, -1, 0x42}, {Ev::Char, -1, -1, 'b'}, {Ev::KeyUp, -1, -1, 0x42},
      {Ev::KeyDown, -1, -1, 0x43}, {Ev::Char, -1, -1, 'c'}, {Ev::KeyUp, -1, -1, 0x43}},
     true, nullptr, Icon::Any, true, 0},
    {"colour_wait", "REPEAT ... GETCOLOR ... UNTILNE waits for the target to change colour",
     L"LONG a\r\nLONG b\r\nGETCOLOR a 2\r\nREPEAT\r\n  GETCOLOR b 2\r\nUNTILNE a b\r\nMOUSE GO 1\r\nMOUSE LC\r\n"
     L"ENDSCRIPT",
     Choose::Direct, {{1, 100, 120}, {2, 200, 200}}, {}, During::ChangeColour,
     {{Ev::Move, 100, 120}, {Ev::LDown, 100, 120}, {Ev::LUp, 100, 120}}, false, nullptr, Icon::Any, true, 0},
    {"stop_button", "the stop button ends a long DELAY at once", L"DELAY 600000\r\nENDSCRIPT", Choose::Direct, {},
     {}, During::StopButton, {}, false, nullptr, Icon::Any, true, 0},
    {"no_window", "go without a chosen window", L"endscript", Choose::Nothing, {}, {}, During::Nothing, {}, false,
     kNoWindow.c_str(), Icon::None, false, 0},
    {"empty_code", "go with an empty code page does nothing", L"", Choose::Nothing, {}, {}, During::Nothing, {},
     false, nullptr, Icon::Any, false, 0},
    {"bad_loop", "LOOP x ends the run with the integer message, its line highlighted",
     L"LONG a\r\nLOOP x\r\nENDLOOP\r\nENDSCRIPT", Choose::Direct, {}, {}, During::Nothing, {}, false,
     L"'x' is not a valid integer value.", Icon::Any, true, 0, 8, 16},
};

std::string Point(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

void CheckEvents(Report& r, const Target& t, const RunCase& rc) {
  int from = 0;
  if (rc.choose != Choose::Nothing && rc.runs) {
    // Activation first: the run brings the target to the front before its first line.
    from = t.Find(Ev::Activate);
    if (!r.Expect(from >= 0, "the target window is brought to the front", t.Describe())) return;
    bool first = true;
    for (int i = 0; i < from; ++i) first = first && t.Events()[size_t(i)].kind == Ev::Move;
    r.Expect(first, "before any click or key reaches it", t.Describe());
  }
  for (const Want& w : rc.events) {
    int at = t.Find(w.kind, from, w.x, w.y, w.code);
    std::string what = std::string("the target receives ") + EvName(w.kind) +
                       (w.x >= 0 ? " at " + Point(w.x, w.y) : "") + (w.code ? " " + std::to_string(w.code) : "");
    if (!r.Expect(at >= 0, what, t.Describe())) return;
    from = at + 1;
  }
  if (rc.exact_keys) {
    size_t keys = 0;
    for (const Event& e : t.Events()) keys += e.kind >= Ev::KeyDown;
    r.ExpectInt(long(keys), long(rc.events.size()), "number of key events at the target");
  }
}

void DuringRun(Session& s, Target& t, const RunCase& rc) {
  Report& r = s.ctx.report;
  if (rc.during == During::StopButton) {
    r.Expect(s.app.WaitStatus(kStatusActive, kTimeoutMs), "the run starts");
    r.ExpectText(s.app.Text("BGO"), kCaptionStop, "button caption while running");
    PumpFor(300);  // well inside the DELAY
    const double t0 = NowMs();
    s.app.Click("BGO");
    r.Expect(s.app.WaitStatus(kStatusStopped, 5000), "stop ends the DELAY within 5 s");
    r.Note("stop took " + std::to_string(int(NowMs() - t0)) + " ms");
  } else if (rc.during == During::ChangeColour) {
    r.Expect(s.app.WaitStatus(kStatusActive, kTimeoutMs), "the run starts");
    PumpFor(1500);
    r.Expect(t.Find(Ev::LDown) < 0, "no click while the colour stays", t.Describe());
    r.ExpectText(s.app.Status(), kStatusActive, "still waiting before the colour changes");
    t.Fill(RGB(20, 120, 220));
  }
}

void RunOne(Context& ctx, const void* row) {
  const RunCase& rc = *static_cast<const RunCase*>(row);
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  auto target = MakeTarget();
  for (const Location& l : rc.locations) {
    POINT p = target->ToScreen(l.client_x, l.client_y);
    app.SetText("px" + std::to_string(l.slot), std::to_wstring(p.x));
    app.SetText("py" + std::to_string(l.slot), std::to_wstring(p.y));
  }
  for (const KeyText& k : rc.keys) app.SetText("key" + std::to_string(k.slot), k.text);
  app.SetText("Memo", rc.code);
  if (rc.choose == Choose::Direct) app.SetText("EditWin", target->Entry());
  if (rc.choose == Choose::Picker && !ChooseInPicker(s, target->Entry())) return;
  // The program must bring the target to the front itself.
  SetForegroundWindow(app.Main());
  r.Expect(WaitUntil([&] { return GetForegroundWindow() == app.Main(); }, 5000), "the main window is in front before go");
  target->ClearEvents();

  const double t0 = NowMs();
  app.Click("BGO");
  DuringRun(s, *target, rc);
  if (rc.message) {
    HWND box = WaitDialog(app.Pid(), {}, kTimeoutMs);
    if (!r.Expect(box != nullptr, "a message box appears")) return;
    MessageBoxSeen seen = ReadMessageBox(box);
    r.ExpectText(seen.caption, Widen(dx::layout::kApplicationTitle), "message box caption");
    r.ExpectText(seen.text, rc.message, "message box text");
    if (rc.icon == Icon::None) r.Expect(!seen.has_icon, "a plain message box, no icon");
    r.ExpectText(app.Text("BGO"), kCaptionGo, "button caption while the message shows");
    if (rc.highlight_start >= 0) {
      auto [a, b] = EditSelection(app.Control("Memo"));
      r.Expect(a == rc.highlight_start && b == rc.highlight_end,
               "the failing line stays highlighted (" + Point(rc.highlight_start, rc.highlight_end) + ")",
               Point(a, b));
    }
    r.Expect(CloseDialog(box), "the message box closes with OK");
  }
  if (rc.runs) {
    r.Expect(app.WaitStatus(kStatusStopped, 30000), "the run ends with \"skript byl zastaven\"",
             Narrow(app.Status()));
    const double took = NowMs() - t0;
    r.Expect(took >= rc.min_ms, "the run lasts at least " + std::to_string(rc.min_ms) + " ms",
             std::to_string(int(took)));
    r.Note("run took " + std::to_string(int(took)) + " ms");
  } else {
    PumpFor(1500);  // nothing must happen: no run, no (further) box
    r.ExpectText(app.Status(), L"", "status bar untouched");
    r.Expect(WaitDialog(app.Pid(), {}, 0) == nullptr, "no (further) message box");
  }
  r.Expect(app.WaitCaption(kCaptionGo, 5000), "button caption \"go\" at the end", Narrow(app.Text("BGO")));
  CheckEvents(r, *target, rc);
}

}  // namespace

void AddRunScenarios(std::vector<Scenario>& out) {
  for (const RunCase& rc : kCases) out.push_back({std::string("run_") + rc.name, rc.what, RunOne, &rc});
}

}  // namespace dxe
