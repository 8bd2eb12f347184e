// Run speed through the real window, as a user sees it:
//  - lines per second of tight scripts (N-1 "LONG a" lines and ENDSCRIPT),
//    with the code page shown (the running line scrolled far below the
//    first screen) and with the main page shown (the memo hidden);
//  - the fixed cost of a run (start and end) apart from the cost per line;
//  - the pixel-poll reaction: a REPEAT / GETCOLOR / UNTILNE wait low in a
//    visible script, from the target's colour change to the run's next line
//    (a key the target receives).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/app.h"
#include "e2e/dialogs.h"
#include "e2e/input.h"
#include "e2e/modes.h"
#include "e2e/remote.h"
#include "e2e/target.h"
#include "e2e/wait.h"
#include "ui/layout.h"

namespace dxe {

namespace {


std::wstring Repeated(const wchar_t* line, int count) {
  std::wstring text;
  text.reserve(size_t(count) * (wcslen(line) + 2));
  for (int i = 0; i < count; ++i) (text += line) += L"\r\n";
  return text;
}

std::wstring TightScript(int lines) { return Repeated(L"LONG a", lines - 1) + L"ENDSCRIPT"; }

// One run: milliseconds from the click to the caption "go" again, or -1.
double TimeRun(App& app, HWND go) {
  const double t0 = NowMs();
  PostMessageW(go, BM_CLICK, 0, 0);
  // Wait for the run to have started, then for it to end; polling the
  // caption costs the program one message per millisecond at most.
  if (!WaitUntil([&] { return WindowText(go) == kCaptionStop || app.Status() == kStatusStopped; }, 30000)) return -1;
  if (!WaitUntil([&] { return WindowText(go) == kCaptionGo; }, 1200000)) return -1;
  return NowMs() - t0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Median milliseconds of a run of `lines` lines, or -1. Runs until `runs`
// runs or a minute has passed, at least once.
double MedianRun(App& app, HWND go, int lines, int runs, int& done) {
  app.SetText("Memo", TightScript(lines));
  if (Send(app.Control("Memo"), EM_GETLINECOUNT) != lines) return -1;
  std::vector<double> times;
  const double started = NowMs();
  while (int(times.size()) < runs && (times.empty() || NowMs() - started < 60000)) {
    const double ms = TimeRun(app, go);
    if (ms < 0) return -1;
    times.push_back(ms);
  }
  done = int(times.size());
  return Median(times);
}

void LinesPerSecond(App& app, HWND go, const char* page_name, const std::vector<int>& sizes) {
  // A run of one line is a run's start and end alone.
  int done = 0;
  const double fixed = MedianRun(app, go, 1, 21, done);
  std::vector<std::pair<int, double>> medians;
  for (int lines : sizes) {
    if (lines < 1) continue;
    const double ms = MedianRun(app, go, lines, lines <= 100 ? 21 : lines <= 1000 ? 7 : 3, done);
    if (ms < 0) {
      std::printf("%-6s %8d  the run did not end or the editor does not hold the script\n", page_name, lines);
      continue;
    }
    std::printf("%-6s %8d %6d %11.1f %10.0f %12.1f\n", page_name, lines, done, ms, lines / (ms / 1000.0),
                ms * 1000.0 / lines);
    medians.emplace_back(lines, ms);
  }
  std::printf("%-6s fixed cost of a run (a one-line script): %.1f ms", page_name, fixed);
  if (medians.size() >= 2) {
    // The cost per line from the two longest scripts.
    std::sort(medians.begin(), medians.end());
    const auto& [n1, t1] = medians[medians.size() - 2];
    const auto& [n2, t2] = medians.back();
    const double per_line = (t2 - t1) / (n2 - n1);
    std::printf("; per line %.1f us (%.0f lines/s)", per_line * 1000.0, per_line > 0 ? 1000.0 / per_line : 0.0);
  }
  std::printf("\n");
}

// The wait sits below 1,000 filler lines, so the view is scrolled there.
constexpr int kFillerLines = 1000;
std::wstring PollScript() {
  return L"LONG a\r\nLONG b\r\n" + Repeated(L"LONG c", kFillerLines) +
         L"LOOP 1000000\r\n  GETCOLOR a 2\r\n  REPEAT\r\n    GETCOLOR b 2\r\n  UNTILNE a b\r\n"
         L"  KEY $41 PRESS\r\nENDLOOP\r\n";
}

// Milliseconds from the target's change of colour (on the screen) to the
// key the run sends after the wait, or -1.
double TimeReaction(Target& target, COLORREF colour) {
  const int from = int(target.Events().size());
  target.Fill(colour);
  const double t0 = NowMs();
  int at = -1;
  if (!WaitUntil([&] { return (at = target.Find(Ev::KeyDown, from, -1, -1, 0x41)) >= 0; }, 10000)) return -1;
  return target.Events()[size_t(at)].at_ms - t0;
}

void PixelPollReaction(App& app, HWND go, Target& target, int samples) {
  const POINT p = target.ToScreen(50, 50);
  app.SetText("px2", std::to_wstring(p.x));
  app.SetText("py2", std::to_wstring(p.y));
  app.SetText("Memo", PollScript());
  target.Fill(RGB(255, 255, 255));
  PostMessageW(go, BM_CLICK, 0, 0);
  // Changes count only once the run waits in the loop below the filler.
  const LRESULT loop_start = 16 + 8 * kFillerLines;
  HWND memo = app.Control("Memo");
  if (!WaitUntil([&] { return LOWORD(Send(memo, EM_GETSEL)) >= loop_start; }, 600000)) {
    std::printf("pixel poll: the run never reached its wait\n");
    return;
  }
  target.WaitInFront(kTimeoutMs);
  std::vector<double> times;
  for (int i = 0; i < samples; ++i) {
    PumpFor(30 + (i * 7) % 40);  // vary the moment against the run's rhythm
    const double ms = TimeReaction(target, i % 2 ? RGB(0, 0, 255) : RGB(255, 0, 0));
    if (ms < 0) break;
    times.push_back(ms);
  }
  PostMessageW(go, BM_CLICK, 0, 0);
  WaitUntil([&] { return WindowText(go) == kCaptionGo; }, kTimeoutMs);
  if (times.empty()) {
    std::printf("pixel poll: no reaction measured\n");
    return;
  }
  std::printf("pixel poll reaction, code page shown: %zu of %d, median %.2f ms, worst %.2f ms, best %.2f ms\n",
              times.size(), samples, Median(times), *std::max_element(times.begin(), times.end()),
              *std::min_element(times.begin(), times.end()));
}

}  // namespace

int RunBench(const std::wstring& exe, const std::vector<int>& sizes) {
  Report report;
  App app;
  if (!app.StartForBenchmark(exe, report)) return 1;
  Target target(L"dxdriver bench target", 600, 380, 300, 200);
  app.SetText("EditWin", target.Entry());
  HWND go = app.Control("BGO");
  if (!go || !app.Control("Memo")) return 1;
  if (!sizes.empty()) {
    std::printf("%-6s %8s %6s %11s %10s %12s\n", "page", "lines", "runs", "median ms", "lines/s", "us per line");
  }
  const std::pair<const char*, int> pages[] = {{"code", dx::layout::IdPageCode}, {"main", dx::layout::IdPageMain}};
  for (const auto& [name, page] : pages) {
    if (sizes.empty()) break;
    if (!app.ShowPage(page)) {
      std::printf("%s: the page could not be shown\n", name);
      continue;
    }
    LinesPerSecond(app, go, name, sizes);
  }
  if (app.ShowPage(dx::layout::IdPageCode)) PixelPollReaction(app, go, target, 20);
  CloseAllDialogs(app.Pid());
  app.Stop(report);
  return report.Failures() ? 1 : 0;
}

}  // namespace dxe
