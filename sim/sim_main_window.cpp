#include "sim/sim_main_window.h"

#include <algorithm>

namespace dx {

int SimMainWindow::EditorLineCount() { return lines_.RawLineCount(); }

std::string SimMainWindow::EditorLine(int index) { return std::string(lines_.Line(index)); }

void SimMainWindow::SelectInEditor(int start, int length) {
  const Selection selection = ClippedSelection(start, length, static_cast<int>(lines_.Text().size()));
  selection_start_ = selection.start;
  selection_length_ = selection.end - selection.start;
  SimEvent e{SimEvent::Kind::SelectInEditor};
  e.a = start;
  e.b = length;
  e.c = selection_length_;
  log_.Add(std::move(e));
}

std::string SimMainWindow::LocationXText(int n) { return IsLocationSlot(n) ? location_x_[n - 1] : std::string(); }
std::string SimMainWindow::LocationYText(int n) { return IsLocationSlot(n) ? location_y_[n - 1] : std::string(); }
std::string SimMainWindow::KeySlotText(int n) { return IsKeySlot(n) ? keys_[n - 1] : std::string(); }

void SimMainWindow::SetStatusText(std::string_view utf8) {
  status_ = std::string(utf8);
  SimEvent e{SimEvent::Kind::SetStatusText};
  e.text = status_;
  log_.Add(std::move(e));
}

void SimMainWindow::SetGoCaption(std::string_view caption) {
  go_caption_ = std::string(caption);
  SimEvent e{SimEvent::Kind::SetGoCaption};
  e.text = go_caption_;
  log_.Add(std::move(e));
}

void SimMainWindow::ShowPlainMessage(std::string_view utf8) {
  messages_.emplace_back(utf8);
  SimEvent e{SimEvent::Kind::ShowPlainMessage};
  e.text = std::string(utf8);
  log_.Add(std::move(e));
}

void SimMainWindow::DeliverMessages() {
  ++deliveries_;
  log_.Add(SimEvent{SimEvent::Kind::DeliverMessages});
  if (every_delivery_) every_delivery_(deliveries_);
  auto [first, last] = delivery_actions_.equal_range(deliveries_);
  // Copy out first: an action may register further actions.
  std::vector<std::function<void()>> due;
  for (auto it = first; it != last; ++it) due.push_back(it->second);
  delivery_actions_.erase(deliveries_);
  for (auto& action : due) action();
}

void SimMainWindow::SetEditorText(std::string text) {
  lines_.Assign(std::move(text));
  const int size = static_cast<int>(lines_.Text().size());
  selection_start_ = std::min(selection_start_, size);
  selection_length_ = std::min(selection_length_, size - selection_start_);
}

void SimMainWindow::SetCodeLines(const std::vector<std::string>& lines) { SetEditorText(EditTextFromLines(lines)); }

void SimMainWindow::SetLocation(int n, std::string x, std::string y) {
  location_x_.at(static_cast<std::size_t>(n - 1)) = std::move(x);
  location_y_.at(static_cast<std::size_t>(n - 1)) = std::move(y);
}

void SimMainWindow::SetKeySlot(int n, std::string text) { keys_.at(static_cast<std::size_t>(n - 1)) = std::move(text); }

void SimMainWindow::AtDelivery(int64_t n, std::function<void()> action) { delivery_actions_.emplace(n, std::move(action)); }

}  // namespace dx
