#include "player/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

namespace dx {
namespace {

volatile std::sig_atomic_t g_signal = 0;
int g_pipe[2] = {-1, -1};

void OnStopSignal(int signal_number) {
  g_signal = signal_number;
  const char byte = 1;
  // A full pipe already wakes the reader; nothing more to do then.
  [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
}

}  // namespace

void InstallStopSignals() {
  if (pipe(g_pipe) == 0) {
    for (const int fd : g_pipe) {
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
      fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // A closed terminal (SIGHUP) and Ctrl+\ (SIGQUIT) would otherwise end
  // the process with the script's keys still down.
  for (const int s : kStopSignals) sigaction(s, &action, nullptr);
  // A reader that went away makes a write fail instead of ending the process.
  std::signal(SIGPIPE, SIG_IGN);
}

int StopSignalFd() { return g_pipe[0]; }

int StopSignalNumber() { return g_signal; }

}  // namespace dx
