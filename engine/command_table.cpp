#include "engine/command_table.h"

namespace dx {

std::optional<Command> MatchCommand(std::string_view line) {
  for (const CommandEntry& entry : kCommandTable) {
    if (MatchKeyword(line, entry.keyword)) return entry.command;
  }
  return std::nullopt;
}

}  // namespace dx
