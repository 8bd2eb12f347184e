#include "texts/key_combination.h"

#include "base/format_hex.h"

namespace dx {
namespace {

constexpr uint16_t kKeyF1 = 0x70;
constexpr uint16_t kKeyF24 = 0x87;

bool IsDigitOrLetter(uint16_t key) { return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'); }

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

unsigned ModifierNamed(std::string_view lower) {
  if (lower == "ctrl" || lower == "control") return kModifierControl;
  if (lower == "alt") return kModifierAlt;
  if (lower == "shift") return kModifierShift;
  return 0;
}

std::optional<uint16_t> KeyNamed(std::string_view lower) {
  if (lower.size() == 1 && ((lower[0] >= '0' && lower[0] <= '9') || (lower[0] >= 'a' && lower[0] <= 'z'))) {
    return static_cast<uint16_t>(lower[0] >= 'a' ? lower[0] - 'a' + 'A' : lower[0]);
  }
  for (uint16_t key = kKeyF1; key <= kKeyF24; ++key) {
    if (lower == "f" + std::to_string(key - kKeyF1 + 1)) return key;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyCombination> ParseCombination(std::string_view text) {
  KeyCombination combination;
  for (;;) {
    const std::size_t plus = text.find('+');
    const std::string word = Lower(text.substr(0, plus));
    if (plus == std::string_view::npos) {
      const auto key = KeyNamed(word);
      if (!key) return std::nullopt;
      combination.key = *key;
      return combination;
    }
    const unsigned modifier = ModifierNamed(word);
    if (modifier == 0 || (combination.modifiers & modifier)) return std::nullopt;
    combination.modifiers |= modifier;
    text.remove_prefix(plus + 1);
  }
}

std::string CombinationName(unsigned modifiers, uint16_t key, std::string_view layoutKeyName) {
  std::string name;
  if (modifiers & kModifierControl) name += "Ctrl+";
  if (modifiers & kModifierAlt) name += "Alt+";
  if (modifiers & kModifierShift) name += "Shift+";
  if (key >= kKeyF1 && key <= kKeyF24) return name + "F" + std::to_string(key - kKeyF1 + 1);
  if (IsDigitOrLetter(key)) return name + static_cast<char>(key);
  if (!layoutKeyName.empty()) return name + std::string(layoutKeyName);
  return name + "key " + FormatHex(key, 2);
}

}  // namespace dx
