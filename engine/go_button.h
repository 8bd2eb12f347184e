// A go/stop button on top of the run's door, for a window that has one (the
// Windows program's, and the simulator's copy of it). Its caption is what a
// click does: "stop" asks the run to stop and shows "go" at once, any other
// caption starts a run, which shows "stop" while it runs.
#pragma once

#include <string>
#include <string_view>

#include "engine/run_control.h"

namespace dx {

class GoButton {
 public:
  virtual ~GoButton() = default;

  virtual std::string GoCaption() = 0;
  virtual void SetGoCaption(std::string_view caption) = 0;

  RunOutcome Click(MainWindow& owner, EnginePlatform& platform, const RunOptions& options = {});
  // For the window's RunPhaseChanged. A run that ended by itself (ENDSCRIPT,
  // the hot key, closing, a failure) still shows "stop": it gets the click
  // the user did not make, which leaves a stop request behind that the
  // next run clears.
  void FollowRunPhase(MainWindow& owner, RunPhase phase);

 private:
  void ClickStop(MainWindow& owner);
};

}  // namespace dx
