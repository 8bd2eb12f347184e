#include "player/ancestor_processes.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace dx {

std::set<uint32_t> AncestorProcessIds() {
  std::set<uint32_t> ids;
  for (pid_t pid = getppid(); pid > 1 && ids.insert(static_cast<uint32_t>(pid)).second;) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) break;
    // "pid (name) state ppid ...": the name may hold blanks and parentheses.
    std::istringstream rest(line.substr(line.rfind(')') + 1));
    char state = 0;
    if (!(rest >> state >> pid)) break;
  }
  return ids;
}

}  // namespace dx
