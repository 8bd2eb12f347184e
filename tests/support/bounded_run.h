// Runs arbitrary text as a short script (split at line feeds, at most eight
// lines) against the in-memory host, with bounds on lines and deliveries so
// that every input ends, on the tests' simulator runner. Shared by the line
// fuzzer and its regression test.
#pragma once

#include <string>
#include <string_view>

namespace dx {

// Returns the run's failure message, or "" when it ended without one.
// Anything else (a crash, a sanitizer report, another exception) is a bug.
std::string BoundedRunOfText(std::string_view input);

}  // namespace dx
