#include "texts/key_combination.h"

#include "base/format_hex.h"

namespace dx {
namespace {

constexpr uint16_t kKeyF1 = 0x70;
constexpr uint16_t kKeyF24 = 0x87;

bool IsDigitOrLetter(uint16_t key) { return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'); }

}  // namespace

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
