#include "engine/run_script.h"

#include <string>

#include "engine/command_table.h"
#include "base/integer_rule.h"
#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "base/script_error.h"
#include "engine/run_control.h"
#include "engine/window_entry.h"

namespace dx {

namespace {

void StartPass(RunState& state) {
  state.LineIndex = 0;
  state.LineOffset = 0;
  state.Variables.Clear();
  state.LoopLines.clear();
  state.LoopCounts.clear();
  state.RepeatLines.clear();
  state.ResumeOffsets.clear();
}

void HighlightCurrentLine(RunState& state, std::size_t raw_length) {
  state.Owner.SelectInEditor(state.LineOffset, static_cast<int>(raw_length + 2));
  // The editor clips the selection at the end of its text, so the offset
  // always lands at the start of the next line or at the end of the text.
  state.LineOffset += state.Owner.EditorSelectionLength();
}

void OfferToHandlers(RunState& state) {
  const std::string line = state.CurrentLine;  // the handler may change CurrentLine
  OfferLine(line, state);
}

enum class CycleResult { Continue, Stop, Bound };

class Runner {
 public:
  Runner(RunState& state, const RunOptions& options) : state_(state), options_(options) {}

  RunOutcome RunPasses() {
    for (;;) {
      StartPass(state_);
      bool ran_a_line = false;
      while (state_.LineIndex <= ScriptLineCount(state_.Owner) - 1) {
        ran_a_line = true;
        const CycleResult result = RunLineCycle();
        if (result == CycleResult::Stop) return RunOutcome::Ended;
        if (result == CycleResult::Bound) return RunOutcome::LineBoundReached;
      }
      // An editor emptied during the run still gets its messages, so that
      // a stop can reach the run.
      if (!ran_a_line) state_.Owner.DeliverMessages();
      if (RunShouldEnd(state_.Owner)) return RunOutcome::Ended;
    }
  }

 private:
  CycleResult RunLineCycle() {
    const std::string raw = state_.Owner.EditorLine(state_.LineIndex);
    HighlightCurrentLine(state_, raw.size());
    state_.CurrentLine = raw;
    StripLeadingBlanks(state_.CurrentLine);
    OfferToHandlers(state_);
    state_.Owner.DeliverMessages();
    if (RunShouldEnd(state_.Owner)) return CycleResult::Stop;
    if (options_.MaxLines > 0 && ++lines_run_ >= options_.MaxLines) return CycleResult::Bound;
    ++state_.LineIndex;
    return CycleResult::Continue;
  }

  RunState& state_;
  const RunOptions& options_;
  int64_t lines_run_ = 0;
};

void ReleaseHeldInputs(RunState& state) {
  for (const InputRecord& record : state.Held.ReleaseRecords()) state.Platform.SendInput(record);
  state.Held.Clear();
}

void EndRun(RunState& state) {
  state.Owner.ShowEditorSelection();
  ReleaseHeldInputs(state);
  state.Owner.Fields().StopRequested = false;
  state.Owner.SetStatusText(kStatusStopped);
  EnterRunPhase(state.Owner, RunPhase::Idle);
}

}  // namespace

bool RunShouldEnd(MainWindow& owner) {
  return owner.ApplicationTerminating() || owner.Fields().StopRequested;
}

void SendInputRecord(RunState& state) {
  // A refused record changed nothing: what it pressed is not down, what it
  // released is still held, and the rest of the script would play into
  // nothing while the run looked successful.
  if (!state.Platform.SendInput(state.Input)) throw ScriptError(RefusedInputMessage(state.LineIndex + 1));
  state.Held.Note(state.Input);
}

int32_t ScriptLineCount(MainWindow& owner) {
  const int raw = owner.EditorLineCount();
  if (raw <= 0) return 0;
  return owner.EditorLine(raw - 1).empty() ? raw - 1 : raw;
}

uint32_t GetTargetWindow(MainWindow& owner) { return HandleOfWindowEntry(owner.TargetWindowText()); }

RunOutcome RunScript(MainWindow& owner, EnginePlatform& platform, const RunOptions& options) {
  owner.SetStatusText(kStatusActive);
  owner.Fields().StopRequested = false;
  platform.MakeMainWindowNotTopmost();
  RunState state(owner, platform);
  RunOutcome outcome;
  try {
    const uint32_t target = GetTargetWindow(owner);
    if (platform.HasHigherRights(target)) throw ScriptError(HigherRightsMessage());
    platform.SetForegroundWindow(target);
    outcome = Runner(state, options).RunPasses();
  } catch (...) {
    EndRun(state);
    throw;
  }
  EndRun(state);
  return outcome;
}

}  // namespace dx
