#include "engine/run_control.h"

#include "engine/run_script.h"
#include "engine/window_entry.h"
#include "texts/program_texts.h"

namespace dx {

namespace {

// A run that unwinds without its end-of-run steps leaves no phase behind.
class ActiveRunGuard {
 public:
  explicit ActiveRunGuard(MainWindowFields& fields) : fields_(fields) {}
  ~ActiveRunGuard() { fields_.Phase = RunPhase::Idle; }
  ActiveRunGuard(const ActiveRunGuard&) = delete;
  ActiveRunGuard& operator=(const ActiveRunGuard&) = delete;

 private:
  MainWindowFields& fields_;
};

}  // namespace

void EnterRunPhase(MainWindow& owner, RunPhase phase) {
  owner.Fields().Phase = phase;
  owner.RunPhaseChanged(phase);
}

RunOutcome StartRun(MainWindow& owner, EnginePlatform& platform, const RunOptions& options) {
  if (owner.Fields().Phase != RunPhase::Idle) return RunOutcome::NotStarted;
  if (ScriptLineCount(owner) == 0) return RunOutcome::NotStarted;
  if (!NamesAWindow(owner.TargetWindowText())) {
    owner.ShowPlainMessage(kNoWindowMessage);
    return RunOutcome::NotStarted;
  }
  ActiveRunGuard guard(owner.Fields());
  EnterRunPhase(owner, RunPhase::Running);
  return RunScript(owner, platform, options);
}

void RequestStop(MainWindow& owner) {
  owner.Fields().StopRequested = true;
  if (owner.Fields().Phase == RunPhase::Running) EnterRunPhase(owner, RunPhase::Stopping);
}

}  // namespace dx
