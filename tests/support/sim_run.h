// The simulator runner of the unit tests, the manual's examples and fuzzing:
// a simulated main window and platform with a script in the editor, a click
// on go, and helpers to read back what the run sent.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/run_script.h"
#include "base/script_error.h"
#include "sim/sim_log.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"

namespace dx::test {

struct SimRun {
  SimLog log;
  SimMainWindow window{log};
  SimPlatform platform{log};
  RunOutcome outcome = RunOutcome::NotStarted;
  std::optional<std::string> error;    // as the error box shows it
  std::optional<std::string> failure;  // the same, as the failing line threw it

  explicit SimRun(const std::vector<std::string>& lines = {}) { window.SetCodeLines(lines); }

  SimRun& Go(int64_t max_lines = 10000) {
    try {
      outcome = window.ClickGo(platform, RunOptions{max_lines});
    } catch (const ScriptError& e) {
      failure = e.what();
      error = FullStopMessage(*failure);
    }
    return *this;
  }

  std::vector<std::string> SentHex() const {
    std::vector<std::string> out;
    for (const auto& r : log.SentRecords()) out.push_back(HexBytes(r));
    return out;
  }

  // The start offsets of every highlight, in order.
  std::vector<int64_t> HighlightStarts() const {
    std::vector<int64_t> out;
    for (const auto& e : log.Events()) {
      if (e.kind == SimEvent::Kind::SelectInEditor) out.push_back(e.a);
    }
    return out;
  }

  // Key codes of the key-down records, in order: scripts use lines such as
  // "KEY 51" (code 51) to mark which lines ran.
  std::vector<int> KeyDowns() const {
    std::vector<int> out;
    for (const auto& r : log.SentRecords()) {
      if (r.Type() == InputRecord::kTypeKeyboard && !(r.KeyFlags() & kKeyUp)) out.push_back(r.KeyVk());
    }
    return out;
  }
};

}  // namespace dx::test
