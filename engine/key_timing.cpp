#include "engine/key_timing.h"

#include "engine/command_table.h"
#include "engine/keyboard_keys.h"
#include "base/integer_rule.h"
#include "texts/program_texts.h"
#include "engine/keyword_rule.h"
#include "engine/run_state.h"
#include "base/script_error.h"

namespace dx {
namespace {

// Character positions of a KEY line, counted from 1.
constexpr std::size_t kCodePosition = 5;       // '$', '#' or the slot number
constexpr std::size_t kLiteralCodeLength = 3;  // '$' and two hex digits
constexpr std::size_t kSlotNumberLength = 2;
constexpr std::size_t kSignedSlotPosition = 6;  // behind '#'
constexpr std::size_t kRestAfterMarkedCode = 9;  // behind "$XX " or "#NN "
constexpr std::size_t kRestAfterPlainSlot = 8;   // behind "NN "

// `flags` is 0 or kKeyUp; the extended flag comes with both.
void SendKey(RunState& state, uint32_t flags) {
  const uint8_t vk = static_cast<uint8_t>(state.Input.KeyVk());
  state.Input.SetKeyFlags(flags | (IsExtendedKey(vk) ? kKeyExtended : 0));
  SendInputRecord(state);
}

uint8_t KeyCodeOf(const KeyOperands& operands, MainWindow& owner) {
  const uint8_t value = LowByte(StrToInt(operands.code_text));
  return operands.slot ? ResolveKeySlot(owner, value) : value;
}

}  // namespace

KeyOperands ReadKeyOperands(std::string_view line) {
  if (line.size() < kCodePosition) {
    throw ScriptError(IncompleteCommandMessage(line, CommandName(Command::Key)));
  }
  switch (line[kCodePosition - 1]) {
    case '$':
      return {false, TextAt(line, kCodePosition, kLiteralCodeLength), TextFrom(line, kRestAfterMarkedCode)};
    case '#':
      return {true, TextAt(line, kSignedSlotPosition, kSlotNumberLength), TextFrom(line, kRestAfterMarkedCode)};
    default:
      return {true, TextAt(line, kCodePosition, kSlotNumberLength), TextFrom(line, kRestAfterPlainSlot)};
  }
}

KeyEvents KeyEventsOf(std::string_view rest) {
  const std::string upper = AsciiUpper(rest);
  if (upper.find("PRESS") != std::string::npos) return KeyEvents::DownUp;
  if (upper.find("UP") != std::string::npos) return KeyEvents::Up;
  return KeyEvents::Down;
}

uint8_t LowByte(int32_t value) { return static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF); }

std::string KeySlotCodeText(std::string_view slot_text) { return "$" + std::string(slot_text); }

uint8_t ResolveKeySlot(MainWindow& owner, uint8_t number) {
  if (!IsKeySlot(number)) return number;
  return LowByte(StrToInt(KeySlotCodeText(owner.KeySlotText(number))));
}

void KeyCommand(std::string_view line, RunState& state) {
  const KeyOperands operands = ReadKeyOperands(line);
  state.Input.SetType(InputRecord::kTypeKeyboard);
  const uint8_t vk = KeyCodeOf(operands, state.Owner);
  state.Input.SetKeyVk(vk);
  // As a real keyboard sends it: programs that read scan codes (games,
  // terminals, remote sessions) see the key, not a left-over mouse dx.
  state.Input.SetKeyScan(state.Platform.KeyScanCode(vk));
  switch (KeyEventsOf(operands.rest)) {
    case KeyEvents::DownUp:
      SendKey(state, 0);
      SendKey(state, kKeyUp);
      break;
    case KeyEvents::Up:
      SendKey(state, kKeyUp);
      break;
    case KeyEvents::Down:
      SendKey(state, 0);
      break;
  }
}

void DelayCommand(std::string_view line, RunState& state) {
  const uint64_t start = state.Platform.TickCount();
  const int32_t milliseconds = StrToInt(TextAfterKeyword(line, Command::Delay));
  if (milliseconds == 0 && !state.Platform.ZeroDelayWaitsForTick()) {
    state.Owner.DeliverMessagesWaiting(0);
    return;
  }
  // 64-bit ticks never wrap, so the end always lies n ms after the start
  // (before it for a negative n, which then ends after one delivery).
  const int64_t end = static_cast<int64_t>(start) + milliseconds;
  // The wait budget comes from the last reading: a host's clock may count
  // its reads, so the loop reads it exactly once per delivery.
  int64_t now = static_cast<int64_t>(start);
  for (;;) {
    state.Owner.DeliverMessagesWaiting(now > end ? 0 : static_cast<uint64_t>(end - now + 1));
    if (RunShouldEnd(state.Owner)) return;
    now = static_cast<int64_t>(state.Platform.TickCount());
    if (now > end) return;
  }
}

void EndScriptCommand(std::string_view, RunState& state) { state.Owner.Fields().StopRequested = true; }

void BeepCommand(std::string_view, RunState& state) { state.Platform.Beep(); }

}  // namespace dx
