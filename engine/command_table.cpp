#include "engine/command_table.h"

namespace dx {

std::optional<Command> MatchCommand(std::string_view line) {
  for (const CommandEntry& entry : kCommandTable) {
    if (MatchKeyword(line, entry.keyword)) return entry.command;
  }
  return std::nullopt;
}

void OfferLine(std::string_view line, RunState& state) {
  if (const std::optional<Command> command = MatchCommand(line)) {
    EntryOf(*command).handler(line, state);
  }
}

}  // namespace dx
