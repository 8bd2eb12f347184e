// KEY (key down/up through the run's InputRecord), DELAY (a busy wait that
// keeps delivering messages) and BEEP.
#pragma once

#include <cstdint>
#include <string_view>

namespace dx {

class MainWindow;
struct RunState;

void KeyCommand(std::string_view line, RunState& state);
void DelayCommand(std::string_view line, RunState& state);
// Uses only the line and the platform's beep.
void BeepCommand(std::string_view line, RunState& state);

// Slot 1..40: the slot's text read as hexadecimal, low 8 bits; any other
// number is itself the key code.
uint8_t ResolveKeySlot(MainWindow& owner, uint8_t number);

}  // namespace dx
