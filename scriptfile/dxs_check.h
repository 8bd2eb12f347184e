// The strict reading of a .dxs file for the tools: every rule of the layout
// is checked, so that a file that the positional reader would read wrongly,
// or only in part, is refused with the line and what stands there. A file
// that passes reads the same with the positional reader; every file the
// program writes passes.
#pragma once

#include <optional>
#include <string_view>

#include "scriptfile/file_problem.h"

namespace dx {

std::optional<FileProblem> CheckDxsText(std::string_view bytes);

}  // namespace dx
