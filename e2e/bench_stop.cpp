// Stop latency: the time from the stop hot key's key press (SendInput) to
// the status "skript byl zastaven", for a tight loop and for a long DELAY,
// while the driver's window has the focus.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/app.h"
#include "e2e/dialogs.h"
#include "e2e/hotkey.h"
#include "e2e/modes.h"
#include "e2e/target.h"
#include "e2e/wait.h"

namespace dxe {

namespace {

struct StopCase {
  const char* name;
  const wchar_t* script;
};

const StopCase kStopCases[] = {
    {"tight REPEAT loop", L"LONG a\r\nLONG b\r\nREPEAT\r\nUNTILNE a b\r\nENDSCRIPT"},
    {"long DELAY", L"DELAY 600000\r\nENDSCRIPT"},
};

// Milliseconds from the key press to the stopped status, or -1.
double TimeStop(App& app, Target& target, int settle_ms) {
  app.Click("BGO");
  if (!WaitUntil([&] { return app.Status() == kStatusActive; }, 15000)) return -1;
  if (!target.WaitInFront(kTimeoutMs)) return -1;
  PumpFor(settle_ms);
  const double t0 = NowMs();
  PressCombo(kDefaultStop);
  // A tight poll: each status read is one round trip to the program.
  while (app.Status() != kStatusStopped) {
    if (NowMs() - t0 > 10000) return -1;
    Pump();
  }
  const double took = NowMs() - t0;
  WaitUntil([&] { return app.Text("BGO") == kCaptionGo; }, 15000);
  return took;
}

}  // namespace

int RunStopBench(const std::wstring& exe, int runs) {
  Report report;
  App app;
  if (!app.StartForBenchmark(exe, report)) return 1;
  Target target(L"dxdriver stop target", 600, 380, 300, 200);
  app.SetText("EditWin", target.Entry());
  std::printf("%-20s %6s %10s %10s %10s %10s\n", "script", "runs", "median ms", "worst ms", "best ms", "failed");
  int failed_total = 0;
  for (const StopCase& c : kStopCases) {
    app.SetText("Memo", c.script);
    std::vector<double> times;
    int failed = 0;
    for (int i = 0; i < runs; ++i) {
      // Vary the moment of the press against the run's own rhythm.
      const double ms = TimeStop(app, target, 20 + (i * 37) % 80);
      if (ms < 0) ++failed;
      else times.push_back(ms);
    }
    failed_total += failed;
    if (times.empty()) {
      std::printf("%-20s %6d  no run was stopped\n", c.name, runs);
      continue;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-20s %6d %10.1f %10.1f %10.1f %10d\n", c.name, runs, times[times.size() / 2], times.back(),
                times.front(), failed);
  }
  CloseAllDialogs(app.Pid());
  app.Stop(report);
  return failed_total || report.Failures() ? 1 : 0;
}

}  // namespace dxe
