#include "player/document_window.h"

#include <algorithm>

namespace dx {

void DocumentWindow::SelectInEditor(int start, int length) {
  selection_ = ClippedSelection(start, length, static_cast<int>(lines_.Text().size()));
}

std::string DocumentWindow::LocationXText(int n) { return IsLocationSlot(n) ? location_x_[n - 1] : std::string(); }
std::string DocumentWindow::LocationYText(int n) { return IsLocationSlot(n) ? location_y_[n - 1] : std::string(); }
std::string DocumentWindow::KeySlotText(int n) { return IsKeySlot(n) ? keys_[n - 1] : std::string(); }

void DocumentWindow::SetDocument(const ScriptDocument& document) {
  SetCodeLines(document.code);
  for (int n = 1; n <= kLocationSlotCount; ++n) {
    const auto& slot = document.locations[static_cast<std::size_t>(n - 1)];
    SetLocation(n, slot.x, slot.y);
  }
  for (int n = 1; n <= kKeySlotCount; ++n) SetKeySlot(n, document.keys[static_cast<std::size_t>(n - 1)]);
}

void DocumentWindow::SetEditorText(std::string text) {
  lines_.Assign(std::move(text));
  const int size = static_cast<int>(lines_.Text().size());
  selection_.start = std::min(selection_.start, size);
  selection_.end = std::min(selection_.end, size);
}

void DocumentWindow::SetCodeLines(const std::vector<std::string>& lines) { SetEditorText(EditTextFromLines(lines)); }

void DocumentWindow::SetLocation(int n, std::string x, std::string y) {
  location_x_.at(static_cast<std::size_t>(n - 1)) = std::move(x);
  location_y_.at(static_cast<std::size_t>(n - 1)) = std::move(y);
}

void DocumentWindow::SetKeySlot(int n, std::string text) { keys_.at(static_cast<std::size_t>(n - 1)) = std::move(text); }

}  // namespace dx
