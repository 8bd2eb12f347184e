// The stop hot key through the real window: the keys pressed in the
// stop-key field and the modifier boxes decide the one combination the tool
// holds; pressed while the driver's window has the focus, it stops a run and
// brings the tool back; a combination another program holds is reported.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e/hotkey.h"
#include "e2e/input.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "texts/program_texts.h"

namespace dxe {

namespace {

constexpr UINT kAll = MOD_ALT | MOD_CONTROL | MOD_SHIFT;
constexpr const wchar_t* kTightLoop = L"LONG a\r\nLONG b\r\nREPEAT\r\nUNTILNE a b\r\nENDSCRIPT";
constexpr const wchar_t* kLongDelay = L"DELAY 600000\r\nENDSCRIPT";

// What happens before the checks, in order.
struct Step {
  enum Kind { PressInField, ClickBox, Take, Free } kind;
  std::vector<WORD> keys{};   // PressInField
  const char* box = nullptr;  // ClickBox
  Combo combo{};              // Take, Free: the driver's own registration
};
Step Press(std::vector<WORD> keys) { return {.kind = Step::PressInField, .keys = std::move(keys)}; }
Step Click(const char* box) { return {.kind = Step::ClickBox, .box = box}; }
Step Take(Combo c) { return {.kind = Step::Take, .combo = c}; }
Step Free(Combo c) { return {.kind = Step::Free, .combo = c}; }

struct HotKeyCase {
  const char* name;
  const char* what;
  std::vector<Combo> taken_before_start{};
  std::vector<Step> steps{};
  const wchar_t* field = L"7B";     // EditStopKey afterwards
  UINT boxes = kAll;                // checked boxes as modifier bits
  Combo stop = kDefaultStop;        // the combination the tool holds
  bool stop_held = true;            // whether the tool could register it
  std::vector<Combo> free{};        // combinations that must no longer stop
  std::wstring status{};            // status bar afterwards
  const wchar_t* script = nullptr;  // a run stopped by `stop`; nullptr: none
  bool idle_press = false;          // `stop` pressed with no run, the tool minimised
  bool foreign_id = false;          // a WM_HOTKEY of another identifier changes nothing
};

std::wstring Warning(Combo c) {
  return Widen(dx::NotRegisteredWarning(ComboName(c), true));
}

constexpr UINT kAltCtrl = MOD_ALT | MOD_CONTROL;
constexpr Combo kAllA{kAll, 'A'};

const HotKeyCase kCases[] = {
    {.name = "hotkey_stops_loop", .what = "the default combination stops a tight REPEAT loop", .script = kTightLoop},
    {.name = "hotkey_stops_delay", .what = "the default combination stops a long DELAY; another identifier does not",
     .script = kLongDelay, .foreign_id = true},
    {.name = "hotkey_idle",
     .what = "pressed with no run: the minimised tool comes back in front, the next run is normal", .idle_press = true},
    {.name = "hotkey_key_a", .what = "A pressed in the field: Ctrl+Alt+Shift+A stops, the old combination does not",
     .steps = {Press({'A'})}, .field = L"41", .stop = kAllA, .free = {kDefaultStop}, .script = kTightLoop},
    {.name = "hotkey_box_shift", .what = "clearing the shift box registers Ctrl+Alt+F12 instead",
     .steps = {Click("CheckShift")}, .boxes = kAltCtrl, .stop = {kAltCtrl, VK_F12}, .free = {kDefaultStop},
     .script = kLongDelay},
    {.name = "hotkey_shift_in_field", .what = "Shift pressed in the field switches the shift box, the key stays",
     .steps = {Press({VK_SHIFT})}, .boxes = kAltCtrl, .stop = {kAltCtrl, VK_F12}, .free = {kDefaultStop}},
    {.name = "hotkey_ctrl_a_in_field", .what = "Ctrl+A in the field: Ctrl switches its box, A becomes the key",
     .steps = {Press({VK_CONTROL, 'A'})}, .field = L"41", .boxes = MOD_ALT | MOD_SHIFT,
     .stop = {MOD_ALT | MOD_SHIFT, 'A'}, .free = {kDefaultStop, kAllA}},
    {.name = "hotkey_bare_key", .what = "all boxes cleared, F9 in the field: the bare F9 stops the run",
     .steps = {Click("CheckAlt"), Click("CheckCtrl"), Click("CheckShift"), Press({VK_F9})}, .field = L"78", .boxes = 0,
     .stop = {0, VK_F9}, .free = {kDefaultStop, {0, VK_F12}}, .script = kTightLoop},
    {.name = "hotkey_taken", .what = "a combination another program holds is reported",
     .steps = {Take(kAllA), Press({'A'})}, .field = L"41", .stop = kAllA, .stop_held = false, .status = Warning(kAllA)},
    {.name = "hotkey_taken_at_start", .what = "the default combination taken before the start is reported at once",
     .taken_before_start = {kDefaultStop}, .stop_held = false, .status = Warning(kDefaultStop)},
    {.name = "hotkey_taken_then_freed", .what = "once the other program lets go, choosing the key again registers it",
     .steps = {Take(kAllA), Press({'A'}), Free(kAllA), Press({'A'})}, .field = L"41", .stop = kAllA,
     .free = {kDefaultStop}, .script = kTightLoop},
};

bool Checked(App& app, const char* box) { return Send(app.Control(box), BM_GETCHECK) == BST_CHECKED; }

UINT CheckedBoxes(App& app) {
  return (Checked(app, "CheckAlt") ? MOD_ALT : 0) | (Checked(app, "CheckCtrl") ? MOD_CONTROL : 0) |
         (Checked(app, "CheckShift") ? MOD_SHIFT : 0);
}

// The driver's own registrations live on its thread; ids from 0x100 on.
struct Holdings {
  int next = 0x100;
  std::vector<std::pair<int, Combo>> held;
  bool Take(Combo c) {
    if (!RegisterHotKey(nullptr, next, c.mods, c.vk)) return false;
    held.push_back({next++, c});
    return true;
  }
  void Free(Combo c) {
    for (auto it = held.begin(); it != held.end(); ++it)
      if (it->second.mods == c.mods && it->second.vk == c.vk) {
        UnregisterHotKey(nullptr, it->first);
        held.erase(it);
        return;
      }
  }
  ~Holdings() {
    for (auto& h : held) UnregisterHotKey(nullptr, h.first);
  }
};

void PressInField(Session& s, const std::vector<WORD>& keys) {
  App& app = s.app;
  BringToFront(app.Main());
  HWND field = app.Control("EditStopKey");
  if (FocusOf(app.Main()) != field) {
    const RECT box = RectIn(field, nullptr);
    ClickAt((box.left + box.right) / 2, (box.top + box.bottom) / 2, 1);
    s.ctx.report.Expect(WaitUntil([&] { return FocusOf(app.Main()) == field; }, kTimeoutMs),
                        "EditStopKey takes the focus");
  }
  const std::wstring before = app.Text("EditStopKey");
  const std::wstring status = app.Status();
  const UINT boxes = CheckedBoxes(app);
  PressKeys(keys);
  // Every press the cases make changes the field, a box or the status bar.
  s.ctx.report.Expect(WaitUntil([&] { return app.Text("EditStopKey") != before || CheckedBoxes(app) != boxes ||
                                             app.Status() != status; },
                                kTimeoutMs),
                      "the press in EditStopKey is handled");
}

// Starts `script` against the target and waits until the target is in front.
bool StartRun(Session& s, Target& target, const wchar_t* script) {
  Report& r = s.ctx.report;
  App& app = s.app;
  app.SetText("Memo", script);
  app.SetText("EditWin", target.Entry());
  app.Click("BGO");
  if (!r.Expect(app.WaitStatus(kStatusActive, kTimeoutMs), "the run starts")) return false;
  const bool front = target.WaitInFront(kTimeoutMs);
  return r.Expect(front, "the target window has the focus during the run", ForegroundText());
}

void StopRun(Session& s, Target& target, const HotKeyCase& c) {
  Report& r = s.ctx.report;
  App& app = s.app;
  if (!StartRun(s, target, c.script)) return;
  for (Combo old : c.free) {
    // A combination the tool no longer holds reaches the window in front.
    target.ClearEvents();
    PressCombo(old);
    r.Expect(WaitUntil([&] { return target.Find(Ev::KeyUp, 0, -1, -1, old.vk) >= 0; }, kTimeoutMs),
             ComboName(old) + " reaches the target window", target.Describe());
    r.ExpectText(app.Status(), kStatusActive, ComboName(old) + " no longer stops the run");
  }
  if (c.foreign_id) {
    Send(app.Main(), WM_HOTKEY, 1, 0);
    PumpFor(100);  // a stop would show within a few milliseconds
    r.ExpectText(app.Status(), kStatusActive, "a WM_HOTKEY with identifier 1 changes nothing");
  }
  const double t0 = NowMs();
  PressCombo(c.stop);
  r.Expect(app.WaitStatus(kStatusStopped, 5000), ComboName(c.stop) + " stops the run", Narrow(app.Status()));
  r.Note("stopped " + std::to_string(int(NowMs() - t0)) + " ms after the key press");
  r.Expect(app.WaitCaption(kCaptionGo, 5000), "the button shows \"go\" again");
  r.Expect(WaitUntil([&] { return InFront(app.Main()); }, kTimeoutMs), "the main window comes to the front",
           ForegroundText());
}

void IdlePress(Session& s, Target& target, const HotKeyCase& c) {
  Report& r = s.ctx.report;
  App& app = s.app;
  ShowWindow(app.Main(), SW_MINIMIZE);
  if (!r.Expect(WaitUntil([&] { return IsIconic(app.Main()) != FALSE; }, kTimeoutMs), "the tool is minimised"))
    return;
  BringToFront(target.Hwnd());
  PressCombo(c.stop);
  r.Expect(WaitUntil([&] { return !IsIconic(app.Main()); }, kTimeoutMs), "the hot key restores the tool");
  r.Expect(WaitUntil([&] { return InFront(app.Main()); }, kTimeoutMs) && WaitIdle(app.Main()),
           "the hot key brings the main window to the front", ForegroundText());
  // The stop request left behind must not end the next run early.
  target.ClearEvents();
  const double t0 = NowMs();
  if (!StartRun(s, target, L"KEY $41 PRESS\r\nDELAY 300\r\nENDSCRIPT")) return;
  r.Expect(app.WaitStatus(kStatusStopped, kTimeoutMs), "the next run ends by ENDSCRIPT");
  r.Expect(NowMs() - t0 >= 300, "the next run lasts its DELAY");
  r.Expect(target.Find(Ev::KeyDown, 0, -1, -1, 'A') >= 0, "the next run plays its first line", target.Describe());
}

void HotKeyOne(Context& ctx, const void* row) {
  const HotKeyCase& c = *static_cast<const HotKeyCase*>(row);
  Report& r = ctx.report;
  Holdings mine;
  for (Combo t : c.taken_before_start) r.Expect(mine.Take(t), "the driver holds " + ComboName(t) + " first");
  Session s(ctx);
  if (!s.ok) return;
  App& app = s.app;
  auto target = MakeTarget();
  for (const Step& step : c.steps) {
    switch (step.kind) {
      case Step::PressInField: PressInField(s, step.keys); break;
      case Step::ClickBox: {
        const bool was = Checked(app, step.box);
        app.Click(step.box);
        r.Expect(WaitUntil([&] { return Checked(app, step.box) != was; }, kTimeoutMs),
                 std::string(step.box) + " switches");
        break;
      }
      case Step::Take: r.Expect(mine.Take(step.combo), "the driver holds " + ComboName(step.combo) + " first"); break;
      case Step::Free: mine.Free(step.combo); break;
    }
  }
  // A combination pressed in the field may still be on its way.
  WaitUntil([&] { return app.Text("EditStopKey") == c.field && CheckedBoxes(app) == c.boxes; }, kTimeoutMs);
  r.ExpectText(app.Text("EditStopKey"), c.field, "EditStopKey");
  r.ExpectInt(CheckedBoxes(app), c.boxes, "checked boxes (1 alt, 2 ctrl, 4 shift)");
  if (c.stop_held) r.Expect(ComboTaken(c.stop), "the tool holds " + ComboName(c.stop));
  for (Combo old : c.free) r.Expect(!ComboTaken(old), "the tool no longer holds " + ComboName(old));
  r.Expect(WaitUntil([&] { return app.Status() == c.status; }, 3000), "status bar text " + Narrow(c.status),
           Narrow(app.Status()));
  if (c.script) StopRun(s, *target, c);
  if (c.idle_press) IdlePress(s, *target, c);
}

}  // namespace

void AddHotKeyScenarios(std::vector<Scenario>& out) {
  for (const HotKeyCase& c : kCases) out.push_back({c.name, c.what, HotKeyOne, &c});
}

}  // namespace dxe
