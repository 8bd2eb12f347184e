#include "engine/key_timing.h"

#include <string>

#include "engine/engine_messages.h"
#include "engine/integer_rule.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "engine/script_error.h"

namespace dx {
namespace {

constexpr std::string_view kKeyKeyword = "KEY";
constexpr std::string_view kDelayKeyword = "DELAY ";
constexpr std::string_view kBeepKeyword = "BEEP";
constexpr std::size_t kCodePosition = 5;

uint8_t LowByte(int32_t value) { return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF); }

// Reads the code from position 5 on and returns the 1-based position at
// which the rest of the line (the event words) starts.
std::size_t ReadKeyCode(std::string_view line, RunState& state) {
  const char form = line[kCodePosition - 1];
  if (form == '$') {
    state.KeyCode = LowByte(StrToInt(TextAt(line, 5, 3)));
    return 9;
  }
  if (form == '#') {
    state.KeyCode = ResolveKeySlot(state.Owner, LowByte(StrToInt(TextAt(line, 6, 2))));
    return 9;
  }
  state.KeyCode = ResolveKeySlot(state.Owner, LowByte(StrToInt(TextAt(line, 5, 2))));
  return 8;
}

void SendKey(RunState& state, uint32_t flags) {
  state.Input.SetKeyFlags(flags);
  SendInputRecord(state);
}

bool RunShouldEnd(MainWindow& owner) {
  return owner.ApplicationTerminating() || owner.Fields().StopRequested;
}

}  // namespace

uint8_t ResolveKeySlot(MainWindow& owner, uint8_t number) {
  if (number < 1 || number > 40) return number;
  return LowByte(StrToInt("$" + owner.KeySlotText(number)));
}

void KeyCommand(std::string_view line, RunState& state) {
  if (!MatchKeyword(line, kKeyKeyword)) return;
  if (line.size() < kCodePosition) throw ScriptError(IncompleteCommandMessage(line, "KEY"));
  state.KeyOperand = std::string(TextFrom(line, kCodePosition));
  state.Input.SetType(InputRecord::kTypeKeyboard);
  const std::size_t rest_position = ReadKeyCode(line, state);
  state.Input.SetKeyVk(state.KeyCode);
  const std::string rest = AsciiUpper(TextFrom(line, rest_position));
  if (rest.find("PRESS") != std::string::npos) {
    SendKey(state, 0);
    SendKey(state, kKeyUp);
  } else if (rest.find("UP") != std::string::npos) {
    SendKey(state, kKeyUp);
  } else {
    SendKey(state, 0);
  }
}

void DelayCommand(std::string_view line, RunState& state) {
  if (!MatchKeyword(line, kDelayKeyword)) return;
  state.DelayStart = state.Platform.TickCount();
  const int32_t milliseconds = StrToInt(line.substr(kDelayKeyword.size()));
  // 64-bit ticks never wrap, so the end always lies n ms after the start
  // (before it for a negative n, which then ends after one delivery).
  state.DelayEnd = static_cast<int64_t>(state.DelayStart) + milliseconds;
  for (;;) {
    state.Owner.DeliverMessages();
    if (RunShouldEnd(state.Owner)) return;
    if (static_cast<int64_t>(state.Platform.TickCount()) > state.DelayEnd) return;
  }
}

void BeepCommand(std::string_view line, RunState& state) {
  if (!MatchKeyword(line, kBeepKeyword)) return;
  state.Platform.Beep();
}

}  // namespace dx
