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
  int key_data = -1;   // scan code, and 0x100 for the extended bit
};

struct RunCase {
  const char* name;
  const char* what;
  const wchar_t* code;
  Choose choose = Choose::Direct;
  std::vector<Location> locations{};
  std::vector<KeyText> keys{};
  During during = During::Nothing;
  std::vector<Want> events{};        // in this order, others may come between
  bool exact_keys = false;           // no key event but the wanted ones
  const wchar_t* message = nullptr;  // text of the box the run ends with
  bool plain_box = false;            // that box shows no icon
  bool runs = true;                  // whether a run starts at all
  int min_ms = 0;                    // shortest duration from "go" to the end
  int highlight_start = -1, highlight_end = -1;
  // The records the test build logs as sent ("sent.log" in its folder):
  // the target may not see the last releases, since the focus passes to
  // the message box meanwhile.
  std::vector<std::string> sent = {};
};

const std::wstring kNoWindow = Widen(dx::kNoWindowMessage);
const std::wstring kRefused = Widen(dx::RefusedInputMessage(4) + ".");

// A key pressed and released at the target, with the character it types.
std::vector<Want> Typed(unsigned vk, wchar_t c) {
  return {{Ev::KeyDown, -1, -1, vk}, {Ev::Char, -1, -1, unsigned(c)}, {Ev::KeyUp, -1, -1, vk}};
}
// A key pressed and released with its scan code and extended bit (0x100),
// whatever it types between.
std::vector<Want> Pressed(unsigned vk, int key_data) {
  return {{Ev::KeyDown, -1, -1, vk, key_data}, {Ev::KeyUp, -1, -1, vk, key_data}};
}
// A move to a client point and a click there with `down` and `up`.
std::vector<Want> ClickedAt(int x, int y, Ev down = Ev::LDown, Ev up = Ev::LUp) {
  return {{Ev::Move, x, y}, {down, x, y}, {up, x, y}};
}
template <class... Parts>
std::vector<Want> Joined(const Parts&... parts) {
  std::vector<Want> all;
  (all.insert(all.end(), parts.begin(), parts.end()), ...);
  return all;
}

const RunCase kCases[] = {
    {.name = "typical_road", .what = "slot 1, target from the picker, move + left click, DELAY 500, ENDSCRIPT",
     .code = L"MOUSE GO 1\r\nMOUSE LC\r\nDELAY 500\r\nENDSCRIPT", .choose = Choose::Picker, .locations = {{1, 60, 70}},
     .events = ClickedAt(60, 70), .min_ms = 500},
    {.name = "mouse_points", .what = "moves and clicks land on the exact pixel, for three rows in a row",
     .code = L"MOUSE GO 1\r\nMOUSE LC\r\nMOUSE GO 2\r\nMOUSE RC\r\nMOUSE GO 3\r\nMOUSE MC\r\nMOUSE GO .0.0\r\n"
             L"ENDSCRIPT",
     .locations = {{1, 30, 40}, {2, 31, 41}, {3, 32, 42}},
     .events = Joined(ClickedAt(30, 40), ClickedAt(31, 41, Ev::RDown, Ev::RUp), ClickedAt(32, 42, Ev::MDown, Ev::MUp))},
    {.name = "keys", .what = "KEY with a literal code and with a key slot",
     .code = L"KEY $41 PRESS\r\nKEY #01 PRESS\r\nKEY 03 PRESS\r\nendscript", .keys = {{1, L"42"}, {3, L"43"}},
     .events = Joined(Typed(0x41, 'a'), Typed(0x42, 'b'), Typed(0x43, 'c')), .exact_keys = true},
    {.name = "key_scan_codes", .what = "keys arrive with the scan code and extended bit a real keyboard gives",
     .code = L"KEY $41 PRESS\r\nKEY $31 PRESS\r\nKEY $0D PRESS\r\nKEY $10 PRESS\r\nKEY $70 PRESS\r\n"
             L"KEY $7B PRESS\r\nKEY $25 PRESS\r\nKEY #01 PRESS\r\nKEY 39 PRESS\r\nKEY $28 PRESS\r\n"
             L"KEY 46 PRESS\r\nKEY $24 PRESS\r\nENDSCRIPT",
     .keys = {{1, L"26"}, {39, L"27"}},
     .events = Joined(Pressed(0x41, 0x1E), Pressed(0x31, 0x02), Pressed(0x0D, 0x1C), Pressed(0x10, 0x2A),
                      Pressed(0x70, 0x3B), Pressed(0x7B, 0x58), Pressed(0x25, 0x14B), Pressed(0x26, 0x148),
                      Pressed(0x27, 0x14D), Pressed(0x28, 0x150), Pressed(0x2E, 0x153), Pressed(0x24, 0x147))},
    {.name = "refused", .what = "(test build that refuses the third record) the run ends at that line, keys released",
     .code = L"KEY $10\r\nKEY $41\r\nDELAY 300\r\nKEY $42 PRESS\r\nENDSCRIPT",
     .events = {{Ev::KeyDown, -1, -1, 0x10}, {Ev::KeyDown, -1, -1, 0x41}}, .message = kRefused.c_str(),
     .highlight_start = 29, .highlight_end = 44,
     .sent = {"key 10 down", "key 41 down", "key 42 down refused", "key 41 up", "key 10 up"}},
    {.name = "colour_wait", .what = "REPEAT ... GETCOLOR ... UNTILNE waits for the target to change colour",
     .code = L"LONG a\r\nLONG b\r\nGETCOLOR a 2\r\nREPEAT\r\n  GETCOLOR b 2\r\nUNTILNE a b\r\nMOUSE GO 1\r\n"
             L"MOUSE LC\r\nENDSCRIPT",
     .locations = {{1, 100, 120}, {2, 200, 200}}, .during = During::ChangeColour, .events = ClickedAt(100, 120)},
    {.name = "stop_button", .what = "the stop button ends a long DELAY at once", .code = L"DELAY 600000\r\nENDSCRIPT",
     .during = During::StopButton},
    {.name = "no_window", .what = "go without a chosen window", .code = L"endscript", .choose = Choose::Nothing,
     .message = kNoWindow.c_str(), .plain_box = true, .runs = false},
    {.name = "empty_code", .what = "go with an empty code page does nothing", .code = L"", .choose = Choose::Nothing,
     .runs = false},
    {.name = "bad_loop", .what = "LOOP x ends the run with the integer message, its line highlighted",
     .code = L"LONG a\r\nLOOP x\r\nENDLOOP\r\nENDSCRIPT", .message = L"'x' is not a valid integer value.",
     .highlight_start = 8, .highlight_end = 16},
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
    int at = t.Find(w.kind, from, w.x, w.y, w.code, w.key_data);
    std::string what = std::string("the target receives ") + EvName(w.kind) +
                       (w.x >= 0 ? " at " + Point(w.x, w.y) : "") + (w.code ? " " + std::to_string(w.code) : "") +
                       (w.key_data >= 0 ? " with key data " + std::to_string(w.key_data) : "");
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
    const double t0 = NowMs();
    s.app.Click("BGO");
    r.Expect(s.app.WaitStatus(kStatusStopped, 5000), "stop ends the DELAY within 5 s");
    r.Note("stop took " + std::to_string(int(NowMs() - t0)) + " ms");
  } else if (rc.during == During::ChangeColour) {
    r.Expect(s.app.WaitStatus(kStatusActive, kTimeoutMs), "the run starts");
    PumpFor(500);
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
  r.Expect(BringToFront(app.Main()), "the main window is in front before go", ForegroundText());
  target->ClearEvents();

  const double t0 = NowMs();
  app.Click("BGO");
  DuringRun(s, *target, rc);
  if (rc.message) {
    HWND box = WaitDialog(app.Pid(), {}, kTimeoutMs);
    if (!r.Expect(box != nullptr, "a message box appears")) return;
    MessageBoxSeen seen = ReadMessageBox(box);
    r.ExpectText(seen.caption, Widen(dx::kApplicationTitle), "message box caption");
    r.ExpectText(seen.text, rc.message, "message box text");
    if (rc.plain_box) r.Expect(!seen.has_icon, "a plain message box, no icon");
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
    r.Expect(app.WaitStatus(kStatusStopped, 30000), "the run ends with " + Narrow(kStatusStopped),
             Narrow(app.Status()));
    const double took = NowMs() - t0;
    r.Expect(took >= rc.min_ms, "the run lasts at least " + std::to_string(rc.min_ms) + " ms",
             std::to_string(int(took)));
    r.Note("run took " + std::to_string(int(took)) + " ms");
  } else {
    PumpFor(500);  // nothing must happen: no run, no (further) box
    r.ExpectText(app.Status(), L"", "status bar untouched");
    r.Expect(WaitDialog(app.Pid(), {}, 0) == nullptr, "no (further) message box");
  }
  r.Expect(app.WaitCaption(kCaptionGo, 5000), "button caption \"go\" at the end", Narrow(app.Text("BGO")));
  CheckEvents(r, *target, rc);
  if (!rc.sent.empty()) {
    std::string log;
    ReadFileBytes(ctx.workdir + L"\\sent.log", log);
    std::string want;
    for (const std::string& line : rc.sent) want += line + "\n";
    r.Expect(log == want, "the records sent, the refused one, then the releases of what was held", log);
  }
}

}  // namespace

void AddRunScenarios(std::vector<Scenario>& out) {
  for (const RunCase& rc : kCases) out.push_back({std::string("run_") + rc.name, rc.what, RunOne, &rc});
}

}  // namespace dxe
