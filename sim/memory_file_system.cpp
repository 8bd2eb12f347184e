#include "sim/memory_file_system.h"

namespace dx {
namespace {

uint32_t PlantedError(const std::map<std::string, uint32_t>& errors, const std::string& path) {
  auto it = errors.find(path);
  return it == errors.end() ? 0 : it->second;
}

}  // namespace

uint32_t MemoryFileSystem::ReadWholeFile(const std::string& path, std::string& bytes) {
  if (uint32_t code = PlantedError(read_errors, path)) return code;
  auto it = files.find(path);
  if (it == files.end()) return kFileNotFound;
  bytes = it->second;
  return 0;
}

uint32_t MemoryFileSystem::ReplaceWholeFile(const std::string& path, std::string_view bytes) {
  ++replace_calls;
  if (uint32_t code = PlantedError(replace_errors, path)) return code;
  files[path] = std::string(bytes);
  return 0;
}

}  // namespace dx
