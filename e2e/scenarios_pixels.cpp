// One pixel from capture to playback: a position captured by clicking into
// the target is the one a MOUSE GO to its slot clicks and a GETCOLOR reads,
// at whatever DPI the screen has.
#include <windows.h>

#include <string>

#include "e2e/input.h"
#include "e2e/remote.h"
#include "e2e/scenario.h"
#include "e2e/text.h"
#include "e2e/wait.h"
#include "ui/layout.h"

namespace dxe {

namespace {

constexpr POINT kClientPoint{150, 170};
constexpr int kCaptureAttempts = 3;

// SB4, then a click at screen point `p`: whether slot 4 then holds `p`.
// Under Wine without a window manager the focus change of a click is now
// and then lost or comes early; what this scenario checks is the pixel a
// capture writes (the capture_* scenarios check the activation), so it
// tries again.
bool CaptureAt(App& app, POINT p, Report& r) {
  const std::wstring x = std::to_wstring(p.x), y = std::to_wstring(p.y);
  for (int attempt = 1; attempt <= kCaptureAttempts; ++attempt) {
    app.SetText("px4", L"");
    app.SetText("py4", L"");
    BringToFront(app.Main());
    app.Click("SB4");
    if (app.WaitStatus(kStatusPick, kTimeoutMs)) {
      ClickAt(p.x, p.y, 1);
      if (WaitUntil([&] { return app.Text("px4") == x && app.Text("py4") == y; }, 3000)) return true;
    }
    r.Note("capture " + std::to_string(attempt) + " wrote " + Narrow(app.Text("px4")) + "," +
           Narrow(app.Text("py4")) + " for a click at " + Narrow(x) + "," + Narrow(y));
  }
  return false;
}

void CaptureThenPlay(Context& ctx, const void*) {
  Session s(ctx);
  if (!s.ok) return;
  Report& r = ctx.report;
  App& app = s.app;
  auto target = MakeTarget();
  target->Fill(RGB(255, 255, 255));

  r.Expect(app.ShowPage(dx::layout::IdPageLocations), "the locations page shows");
  const POINT p = target->ToScreen(kClientPoint.x, kClientPoint.y);
  if (!r.Expect(CaptureAt(app, p, r), "slot 4 holds the clicked screen pixel " + std::to_string(p.x) + "," +
                                          std::to_string(p.y)))
    return;

  // The run waits until the pixel of slot 4 changes, then clicks it.
  const std::wstring before_loop = L"LONG a\r\nLONG b\r\nGETCOLOR a 4\r\nREPEAT\r\n";
  app.SetText("Memo", before_loop + L"GETCOLOR b 4\r\nUNTILNE a b\r\nMOUSE GO 4\r\nMOUSE LC\r\nENDSCRIPT");
  app.SetText("EditWin", target->Entry());
  target->ClearEvents();
  app.Click("BGO");
  r.Expect(app.WaitStatus(kStatusActive, kTimeoutMs), "the run starts", Narrow(app.Status()));
  // The colour may change only once the first colour has been read: when the highlight is in the loop.
  const int loop_start = static_cast<int>(before_loop.size());
  r.Expect(WaitUntil([&] { return EditSelection(app.Control("Memo")).first >= loop_start; }, kTimeoutMs),
           "the run reaches the loop");
  PumpFor(200);
  r.Expect(target->Find(Ev::LDown) < 0, "no click before the pixel changes", target->Describe());
  target->Fill(RGB(0, 128, 255));
  r.Expect(app.WaitStatus(kStatusStopped, kTimeoutMs), "the colour change ends the wait and the run",
           Narrow(app.Status()));
  // The click reaches the target's queue when it will, maybe after the run's end; close after
  // the capture's click on the same pixel, it may count as a double click.
  const bool clicked = WaitUntil(
      [&] {
        return target->Find(Ev::LDown, 0, kClientPoint.x, kClientPoint.y) >= 0 ||
               target->Find(Ev::LDouble, 0, kClientPoint.x, kClientPoint.y) >= 0;
      },
      kTimeoutMs);
  r.Expect(clicked, "the click lands on the captured pixel " + std::to_string(kClientPoint.x) + "," +
                          std::to_string(kClientPoint.y) + " of the target",
           target->Describe());
}

}  // namespace

void AddPixelScenarios(std::vector<Scenario>& out) {
  out.push_back({"capture_then_play", "a captured position is the pixel MOUSE GO clicks and GETCOLOR reads",
                 CaptureThenPlay, nullptr});
}

}  // namespace dxe
