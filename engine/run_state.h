// The record a run owns for its whole length and hands to every command
// handler, and the form of a command handler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/held_inputs.h"
#include "engine/host.h"
#include "engine/input_record.h"
#include "engine/variables.h"

namespace dx {

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct RunState {
  RunState(MainWindow& owner, EnginePlatform& platform) : Owner(owner), Platform(platform) {}

  MainWindow& Owner;
  EnginePlatform& Platform;

  // Reset at the start of every pass.
  int32_t LineIndex = 0;
  // Offset in the editor text at which the line after the current one begins.
  int32_t LineOffset = 0;
  std::string CurrentLine;
  VariableTable Variables;
  std::vector<int32_t> LoopLines;
  std::vector<int32_t> LoopCounts;
  std::vector<int32_t> RepeatLines;
  std::vector<int32_t> ResumeOffsets;

  // Live for the whole run; both start at zero.
  ScreenPoint CurrentPoint;
  InputRecord Input;

  // Keys and buttons this run pressed and has not released yet.
  HeldInputs Held;
};

// A handler receives the stripped line (its own copy) and the run's state;
// the run loop calls it only for a line that matches its keyword
// (OfferLine in command_table.h).
using CommandHandler = void (*)(std::string_view line, RunState& state);

// True when the run must end after the current line: a stop was requested
// or the application is closing.
bool RunShouldEnd(MainWindow& owner);

// Sends state.Input once and remembers what it pressed or released; fails
// the line when the system refuses the record.
void SendInputRecord(RunState& state);

}  // namespace dx
