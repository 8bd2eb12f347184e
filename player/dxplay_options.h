// The command line of dxplay, read without touching the display so that
// every wrong command line gets its message and status 64 first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "texts/key_combination.h"

namespace dx {

struct DxplayOptions {
  enum class Command { Run, Capture, Windows, Help, Version, Record };
  enum class Target { NoWindow, Entry, Name, Pick };
  enum class Slot { Location, Key };

  Command command = Command::Run;
  std::string script_path;
  // run
  Target target = Target::NoWindow;
  uint32_t window_id = 0;   // Target::Entry
  // The decimal reading of an --window of eight digits, tried when no
  // window has the id of its reading as an entry.
  std::optional<uint32_t> window_id_otherwise;
  std::string window_name;  // Target::Name
  KeyCombination stop_key{kDefaultStopModifiers, kDefaultStopKey};
  bool quiet = false;
  // capture
  Slot slot = Slot::Location;
  int slot_number = 0;
  // record (and stop_key)
  bool record_slots = false;
  bool record_delays = true;
  bool append = false;
};

// The options, or nothing with `error` naming the bad word.
std::optional<DxplayOptions> ParseDxplayOptions(const std::vector<std::string>& args, std::string& error);

}  // namespace dx
