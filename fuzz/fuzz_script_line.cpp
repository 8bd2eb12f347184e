// Runs arbitrary script lines through the engine against the in-memory
// host. Any crash, sanitizer report or exception other than ScriptError is
// a finding; keep such inputs in tests/engine/regressions/.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/support/bounded_run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  dx::BoundedRunOfText(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
