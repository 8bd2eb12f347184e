// dxdriver: drives dorvaxil.exe under Wine (or Windows) from outside.
//   dxdriver list
//   dxdriver test SCENARIO DORVAXIL_EXE WORKDIR     one end-to-end scenario
//   dxdriver bench DORVAXIL_EXE [LINES...|poll]     lines per second, pixel-poll reaction
//   dxdriver bench-stop DORVAXIL_EXE [RUNS]          stop hot-key latency
//   dxdriver demo DORVAXIL_EXE SCRIPT READY_FILE    plays the demo, waits
// Paths may be Unix paths; they are mapped to Wine's Z: drive.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/modes.h"
#include "e2e/scenario.h"
#include "e2e/text.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: dxdriver list\n"
               "       dxdriver test SCENARIO DORVAXIL_EXE WORKDIR\n"
               "       dxdriver bench DORVAXIL_EXE [LINES...|poll]\n"
               "       dxdriver bench-stop DORVAXIL_EXE [RUNS]\n"
               "       dxdriver demo DORVAXIL_EXE SCRIPT READY_FILE\n");
  return 2;
}

// Creates the folder and any missing parents.
void MakeFolders(const std::wstring& path) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1))
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  CreateDirectoryW(path.c_str(), nullptr);
}

int RunTest(const std::string& name, const std::string& exe, const std::string& workdir) {
  for (const dxe::Scenario& s : dxe::AllScenarios()) {
    if (s.name != name) continue;
    dxe::Context ctx;
    ctx.exe = dxe::DosPath(exe);
    ctx.workdir = dxe::DosPath(workdir);
    HDC screen = GetDC(nullptr);
    ctx.dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    MakeFolders(ctx.workdir);
    std::printf("scenario %s: %s\n", s.name.c_str(), s.what.c_str());
    std::fflush(stdout);
    // A prefix made for another DPI must really have it, or its tests prove nothing.
    if (const char* want = std::getenv("DX_E2E_DPI")) ctx.report.ExpectInt(ctx.dpi, std::atoi(want), "screen DPI");
    s.run(ctx, s.row);
    const int failures = ctx.report.Failures();
    std::printf("%s: %d checks, %d failed\n", failures ? "FAILED" : "PASSED", ctx.report.Checks(), failures);
    return failures ? 1 : 0;
  }
  std::fprintf(stderr, "no scenario %s\n", name.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  // Positions and sizes in the screen's own pixels, as the program sees them.
  SetProcessDPIAware();
  // Our output goes to a pipe or file: never let it sit in a buffer.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  if (args[0] == "list") {
    for (const dxe::Scenario& s : dxe::AllScenarios()) std::printf("%s\n", s.name.c_str());
    return 0;
  }
  if (args[0] == "test" && args.size() == 4) return RunTest(args[1], args[2], args[3]);
  if (args[0] == "bench-stop" && (args.size() == 2 || args.size() == 3))
    return dxe::RunStopBench(dxe::DosPath(args[1]), args.size() == 3 ? std::max(1, std::atoi(args[2].c_str())) : 50);
  if (args[0] == "bench" && args.size() >= 2) {
    std::vector<int> sizes;
    // "poll" alone measures only the pixel-poll reaction.
    const bool poll_only = args.size() == 3 && args[2] == "poll";
    for (size_t i = 2; i < args.size() && !poll_only; ++i) sizes.push_back(std::atoi(args[i].c_str()));
    if (sizes.empty() && !poll_only) sizes = {10, 1000, 10000};
    return dxe::RunBench(dxe::DosPath(args[1]), sizes);
  }
  if (args[0] == "demo" && args.size() == 4)
    return dxe::RunDemo(dxe::DosPath(args[1]), dxe::DosPath(args[2]), dxe::DosPath(args[3]));
  return Usage();
}
