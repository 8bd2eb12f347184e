#include "checker/rules.h"

namespace dx::check {

std::string_view SeverityName(Severity severity) {
  switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
  }
  return "?";
}

}  // namespace dx::check
