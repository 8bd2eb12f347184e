// The driver's modes besides the test scenarios.
#pragma once

#include <string>
#include <vector>

namespace dxe {

// Lines per second of tight scripts of the given lengths with the code page
// and the main page shown, then the pixel-poll reaction; prints figures.
// No lengths: the pixel-poll reaction alone.
int RunBench(const std::wstring& exe, const std::vector<int>& sizes);
// Stop latency of the default hot key over `runs` runs of each script kind;
// prints median, worst and best.
int RunStopBench(const std::wstring& exe, int runs);
// Plays the demo script against a drawing target, writes `ready_file` when
// the picture is complete and waits (up to a minute) for it to be deleted.
int RunDemo(const std::wstring& exe, const std::wstring& script, const std::wstring& ready_file);

}  // namespace dxe
