#include "player/run_registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "player/stop_signals.h"

namespace dx {
namespace {

constexpr std::string_view kPrefix = "run-";

// A folder that is ours: a directory (not a link) owned by us and closed to others.
bool OwnFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

bool Locked(int fd) {
  if (flock(fd, LOCK_SH | LOCK_NB) == 0) {
    flock(fd, LOCK_UN);
    return false;
  }
  return errno == EWOULDBLOCK;
}

struct Run {
  pid_t pid;
  int fd;
  std::string path;
};

std::vector<Run> RegisteredRuns(const std::string& folder) {
  std::vector<Run> runs;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return runs;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(kPrefix)) continue;
    char* end = nullptr;
    const long pid = std::strtol(entry->d_name + kPrefix.size(), &end, 10);
    if (end == nullptr || *end != '\0' || pid <= 0 || pid == getpid()) continue;
    const std::string path = folder + "/" + entry->d_name;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    if (!Locked(fd)) {
      unlink(path.c_str());  // left over from a run that ended without its clean-up
      close(fd);
      continue;
    }
    runs.push_back({static_cast<pid_t>(pid), fd, path});
  }
  closedir(dir);
  return runs;
}

}  // namespace

std::string RunFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string folder = runtime != nullptr && runtime[0] == '/' ? std::string(runtime) + "/dxplay"
                                                               : "/tmp/dxplay-" + std::to_string(getuid());
  return OwnFolder(folder) ? folder : std::string();
}

RunRegistration::RunRegistration() {
  const std::string folder = RunFolder();
  if (folder.empty()) return;
  path_ = folder + "/" + std::string(kPrefix) + std::to_string(getpid());
  fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    close(fd_);
    fd_ = -1;
  }
  if (fd_ < 0) path_.clear();
}

RunRegistration::~RunRegistration() {
  if (fd_ < 0) return;
  unlink(path_.c_str());
  close(fd_);
}

StopResult StopRuns(int wait_ms) {
  const std::string folder = RunFolder();
  StopResult result;
  if (folder.empty()) return result;
  std::vector<Run> runs = RegisteredRuns(folder);
  for (const Run& run : runs) kill(run.pid, kStopRequestSignal);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_ms);
  while (!runs.empty()) {
    for (auto it = runs.begin(); it != runs.end();) {
      if (Locked(it->fd)) {
        ++it;
        continue;
      }
      close(it->fd);
      ++result.stopped;
      it = runs.erase(it);
    }
    if (runs.empty() || std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  for (const Run& run : runs) close(run.fd);
  result.still_running = static_cast<int>(runs.size());
  return result;
}

}  // namespace dx
