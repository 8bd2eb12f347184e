// Lines per second of a run through the real window: a script of N-1
// "LONG a" lines and ENDSCRIPT, each line read from the editor, highlighted
// and followed by message delivery, as every run does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/app.h"
#include "e2e/dialogs.h"
#include "e2e/modes.h"
#include "e2e/remote.h"
#include "e2e/target.h"
#include "e2e/wait.h"

namespace dxe {

namespace {

std::wstring TightScript(int lines) {
  std::wstring code;
  code.reserve(size_t(lines) * 8);
  for (int i = 1; i < lines; ++i) code += L"LONG a\r\n";
  return code + L"ENDSCRIPT";
}

// One run: milliseconds from the click to the caption "go" again, or -1.
double TimeRun(App& app, HWND go) {
  const double t0 = NowMs();
  PostMessageW(go, BM_CLICK, 0, 0);
  // Wait for the run to have started, then for it to end; polling the
  // caption costs the program one message per millisecond at most.
  if (!WaitUntil([&] { return WindowText(go) == L"stop" || app.Status() == kStatusStopped; }, 30000)) return -1;
  if (!WaitUntil([&] { return WindowText(go) == L"go"; }, 600000)) return -1;
  return NowMs() - t0;
}

}  // namespace

int RunBench(const std::wstring& exe, const std::vector<int>& sizes) {
  Report report;
  App app;
  if (!app.StartForBenchmark(exe, report)) return 1;
  Target target(L"dxdriver bench target", 600, 380, 300, 200);
  app.SetText("EditWin", target.Entry());
  HWND go = app.Control("BGO");
  HWND memo = app.Control("Memo");
  if (!go || !memo) return 1;
  std::printf("%8s %6s %10s %12s %14s\n", "lines", "runs", "best ms", "lines/s", "us per line");
  for (int lines : sizes) {
    if (lines < 1) continue;
    app.SetText("Memo", TightScript(lines));
    const auto count = Send(memo, EM_GETLINECOUNT);
    if (count != lines) {
      std::printf("%8d  the editor holds %ld lines, not %d\n", lines, long(count), lines);
      continue;
    }
    // Short scripts are dominated by the click's round trip: take the best
    // of several runs.
    const int runs = lines <= 100 ? 20 : lines <= 1000 ? 5 : 2;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
      double ms = TimeRun(app, go);
      if (ms < 0) {
        std::printf("%8d  the run did not end\n", lines);
        break;
      }
      best = std::min(best, ms);
    }
    std::printf("%8d %6d %10.1f %12.0f %14.1f\n", lines, runs, best, lines / (best / 1000.0), best * 1000.0 / lines);
  }
  CloseAllDialogs(app.Pid());
  app.Stop(report);
  return report.Failures() ? 1 : 0;
}

}  // namespace dxe
