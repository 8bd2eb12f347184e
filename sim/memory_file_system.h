// A FileSystem held in memory, for tests, the fuzzer and hosts that must
// not touch the disk. Failures can be planted per path.
#pragma once

#include <map>
#include <string>

#include "base/file_system.h"

namespace dx {

class MemoryFileSystem : public FileSystem {
 public:
  uint32_t ReadWholeFile(const std::string& path, std::string& bytes) override;
  uint32_t ReplaceWholeFile(const std::string& path, std::string_view bytes) override;

  std::map<std::string, std::string> files;
  // A non-zero code here makes that operation on that path fail with it and
  // change nothing.
  std::map<std::string, uint32_t> read_errors;
  std::map<std::string, uint32_t> replace_errors;
  int replace_calls = 0;
};

}  // namespace dx
