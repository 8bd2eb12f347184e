// Checks arbitrary code lines (split at line feeds) against slots taken
// from the input's first lines, and prints the findings both ways. Any
// crash or sanitizer report is a finding.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "checker/check_script.h"
#include "checker/report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  dx::ScriptDocument doc;
  for (std::size_t line = 0; !text.empty(); ++line) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view part = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line == 0)
      doc.locations[0].x = part;
    else if (line == 1)
      doc.locations[0].y = part;
    else if (line == 2)
      doc.keys[0] = part;
    else
      doc.code.emplace_back(part);
  }
  const auto found = dx::check::CheckScript(doc, {{640, 480}});
  std::ostringstream out;
  dx::check::PrintText(out, "f.dxs", found);
  dx::check::PrintJson(out, "f.dxs", found);
  return 0;
}
