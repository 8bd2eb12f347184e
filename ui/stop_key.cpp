// The stop hot key: one system-wide combination, registered for the main
// window under identifier 0, whose WM_HOTKEY asks a running script to stop
// and brings the window back. The key lives only in the text of EditStopKey;
// the modifiers are the three check boxes.
#include <windows.h>

#include <string>

#include "base/format_hex.h"
#include "base/integer_rule.h"
#include "win32/text_encoding.h"
#include "texts/key_combination.h"
#include "texts/program_texts.h"
#include "ui/layout.h"
#include "ui/unitmain.h"

namespace dx::ui {
namespace {

// The portable names of the modifiers (texts/key_combination.h) are the
// registration's bits, so a combination passes through unchanged.
static_assert(kModifierAlt == MOD_ALT && kModifierControl == MOD_CONTROL && kModifierShift == MOD_SHIFT);

constexpr int kStopHotKeyId = 0;
// "Keep the key the field shows and register again."
constexpr uint16_t kKeepShownKey = 0xFFFF;

bool IsChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Keys outside F1-F24, 0-9 and A-Z are named by the keyboard layout.
std::string CombinationNameOf(UINT modifiers, uint16_t key) {
  wchar_t keyName[64] = {};
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  const int length = scan == 0 ? 0 : GetKeyNameTextW(static_cast<LONG>(scan << 16), keyName, 64);
  const size_t used = length > 0 ? static_cast<size_t>(length) : 0;
  return CombinationName(modifiers, key, win::ProgramTextFromWide(std::wstring_view(keyName, used)));
}

// Inverting a box has the effect of a user's click on it: the click
// notification reaches CheckShiftClick through the window's own routing.
void InvertModifierBox(TFormMain& form, int id) {
  HWND box = form.Control(id);
  SendMessageW(box, BM_SETCHECK, IsChecked(box) ? BST_UNCHECKED : BST_CHECKED, 0);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(box));
}

// A combination that is not registered cannot stop a run from another
// application: say so, instead of letting the field suggest otherwise.
void WarnNotRegistered(TFormMain& form, UINT modifiers, uint16_t key, DWORD error) {
  form.SetStatusText(
      NotRegisteredWarning(CombinationNameOf(modifiers, key), error == ERROR_HOTKEY_ALREADY_REGISTERED));
  form.MarkNotRegisteredWarningShown();
}

// Only the warning goes; any other status text stays.
void ClearNotRegisteredWarning(TFormMain& form) {
  if (form.NotRegisteredWarningShown()) form.SetStatusText("");
}

}  // namespace

void TFormMain::FormCreate() {
  uint16_t key = kDefaultStopKey;
  EditStopKeyKeyDown(Control(layout::IdEditStopKey), key);
}

void TFormMain::EditStopKeyKeyDown(HWND, uint16_t& key) {
  // A modifier key switches its box, whose click handler re-registers at
  // once; the modifier itself never becomes the stop key.
  if (key == VK_SHIFT) InvertModifierBox(*this, layout::IdCheckShift);
  if (key == VK_CONTROL) InvertModifierBox(*this, layout::IdCheckCtrl);
  if (key == VK_MENU) InvertModifierBox(*this, layout::IdCheckAlt);
  if (key >= VK_SHIFT && key <= VK_MENU) key = kKeepShownKey;

  if (key == kKeepShownKey) {
    key = static_cast<uint16_t>(StrToInt("$" + Text(layout::IdEditStopKey)));
  } else {
    SetText(layout::IdEditStopKey, FormatHex(key, 2));
  }

  if (hotKeyRegistered_) UnregisterHotKey(hwnd_, kStopHotKeyId);
  hotKeyRegistered_ = true;
  UINT modifiers = 0;
  if (IsChecked(Control(layout::IdCheckCtrl))) modifiers += MOD_CONTROL;
  if (IsChecked(Control(layout::IdCheckAlt))) modifiers += MOD_ALT;
  if (IsChecked(Control(layout::IdCheckShift))) modifiers += MOD_SHIFT;
  if (RegisterHotKey(hwnd_, kStopHotKeyId, modifiers, key)) {
    ClearNotRegisteredWarning(*this);
  } else {
    WarnNotRegistered(*this, modifiers, key, GetLastError());
  }
  key = 0;
}

void TFormMain::CheckShiftClick(HWND) {
  uint16_t key = kKeepShownKey;
  EditStopKeyKeyDown(Control(layout::IdEditStopKey), key);
}

void TFormMain::OnHotKey(WPARAM id) {
  if (LOWORD(id) != kStopHotKeyId) return;
  fields_.StopRequested = true;
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
}

}  // namespace dx::ui
