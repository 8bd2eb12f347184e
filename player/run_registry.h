// The runs of one user in progress, so that `dxplay stop` reaches them all
// whatever desktop they play on: each run holds a lock on a file of its
// own, named by its process id, in the user's runtime folder
// ($XDG_RUNTIME_DIR/dxplay, else /tmp/dxplay-UID). A file whose lock nobody
// holds is left over from a run that crashed; `stop` removes it.
#pragma once

#include <string>

namespace dx {

class RunRegistration {
 public:
  // Registers this process; a folder that cannot be made leaves it
  // unregistered (the run still plays, `stop` does not see it).
  RunRegistration();
  ~RunRegistration();
  RunRegistration(const RunRegistration&) = delete;
  RunRegistration& operator=(const RunRegistration&) = delete;

 private:
  int fd_ = -1;
  std::string path_;
};

struct StopResult {
  int stopped = 0;        // runs that ended within the wait
  int still_running = 0;  // asked to stop, not ended within the wait
};

// Asks every registered run but this process to stop and waits up to
// wait_ms until they have ended.
StopResult StopRuns(int wait_ms);

// The folder, made (mode 0700) when missing; "" when it cannot be made or
// is not the user's own.
std::string RunFolder();

}  // namespace dx
