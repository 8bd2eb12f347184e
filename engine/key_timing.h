// KEY (key down/up through the run's InputRecord), DELAY (a wait that keeps
// delivering messages; a host may sleep in it until a message comes), BEEP
// and ENDSCRIPT.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/slot_counts.h"

namespace dx {

class MainWindow;
struct RunState;

// A KEY line taken apart by character position.
struct KeyOperands {
  bool slot = false;           // the code is a key slot number (with or without '#')
  std::string_view code_text;  // "$" and two digits, or the slot number's two characters
  std::string_view rest;       // the event words
};

// Throws ScriptError when there is no character at position 5.
KeyOperands ReadKeyOperands(std::string_view line);

enum class KeyEvents { DownUp, Up, Down };

// "PRESS" anywhere in the rest (any case) is a press, else "UP" a release,
// else a key down.
KeyEvents KeyEventsOf(std::string_view rest);

void KeyCommand(std::string_view line, RunState& state);
void DelayCommand(std::string_view line, RunState& state);
// Uses only the line and the platform's beep.
void BeepCommand(std::string_view line, RunState& state);
// ENDSCRIPT: the run ends after this line.
void EndScriptCommand(std::string_view line, RunState& state);

// The key slots a line reads; any other number is itself the key code.

// The text a key slot's code is converted from: its hex digits behind "$".
std::string KeySlotCodeText(std::string_view slot_text);

uint8_t LowByte(int32_t value);

// Slot 1..40: the slot's text read as hexadecimal, low 8 bits; any other
// number is itself the key code.
uint8_t ResolveKeySlot(MainWindow& owner, uint8_t number);

}  // namespace dx
