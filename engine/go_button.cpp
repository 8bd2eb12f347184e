#include "engine/go_button.h"

#include "texts/program_texts.h"

namespace dx {

void GoButton::ClickStop(MainWindow& owner) {
  SetGoCaption(kCaptionGo);
  RequestStop(owner);
}

RunOutcome GoButton::Click(MainWindow& owner, EnginePlatform& platform, const RunOptions& options) {
  if (GoCaption() == kCaptionStop) {
    ClickStop(owner);
    return RunOutcome::NotStarted;
  }
  return StartRun(owner, platform, options);
}

void GoButton::FollowRunPhase(MainWindow& owner, RunPhase phase) {
  if (phase == RunPhase::Running) SetGoCaption(kCaptionStop);
  // Only a click sets "go" during a run, and only a start sets "stop": a
  // caption other than "go" here is the "stop" of a run that ended by itself.
  if (phase == RunPhase::Idle && GoCaption() != kCaptionGo) ClickStop(owner);
}

}  // namespace dx
