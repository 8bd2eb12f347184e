// Feeds arbitrary bytes to the script file reader. A load must either fail
// with a message or give a document that a save and a second load return
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/script_error.h"
#include "sim/memory_file_system.h"
#include "scriptfile/script_file.h"

namespace {

bool SameDocument(const dx::ScriptDocument& a, const dx::ScriptDocument& b) {
  if (a.notes != b.notes || a.code != b.code || a.keys != b.keys) return false;
  for (int i = 0; i < dx::kLocationSlotCount; ++i) {
    if (a.locations[i].x != b.locations[i].x || a.locations[i].y != b.locations[i].y) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  dx::MemoryFileSystem files;
  files.files["in.dxs"] = std::string(reinterpret_cast<const char*>(data), size);
  dx::ScriptDocument loaded;
  try {
    dx::ReadScriptFile("in.dxs", loaded, files);
  } catch (const dx::ScriptError&) {
    return 0;
  }
  // Everything a load produces is writable: counts, key texts and decimal
  // coordinates of any 32-bit value.
  dx::WriteScriptFile(loaded, "out.dxs", files);
  dx::ScriptDocument reloaded;
  dx::ReadScriptFile("out.dxs", reloaded, files);
  if (!SameDocument(loaded, reloaded)) std::abort();
  return 0;
}
