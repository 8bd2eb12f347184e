// The numbers of one line, checked by the integer rule exactly where the
// run would convert them, including the slot texts the line reads from the
// file's own slots.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "checker/code_line.h"
#include "engine/host.h"
#include "engine/key_timing.h"
#include "scriptfile/script_document.h"

namespace dx::check {

struct Screen {
  int width = kDefaultScreenWidth;
  int height = kDefaultScreenHeight;
};

// A literal number of the line; reports it when the run would refuse it.
std::optional<int32_t> CheckNumber(const CodeLine& line, std::string_view text, Findings& findings);

enum class PointUse {
  Set,        // the line sets the current point
  Unchanged,  // a slot number outside 1..20: the current point is used as it is
  Failed,     // the line fails before it gets there
};

// The position operand of MOUSE GO or GETCOLOR.
PointUse CheckLocation(const CodeLine& line, std::string_view location, const ScriptDocument& document,
                       const Screen& screen, Findings& findings);

// The key code of a KEY line, or nothing when the run would fail on it.
std::optional<uint8_t> CheckKeyCode(const CodeLine& line, const KeyOperands& operands, const ScriptDocument& document,
                                    Findings& findings);

}  // namespace dx::check
