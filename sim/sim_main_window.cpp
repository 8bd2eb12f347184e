#include "sim/sim_main_window.h"

#include <algorithm>

namespace dx {

int SimMainWindow::EditorLineCount() {
  RebuildLineStarts();
  return static_cast<int>(line_starts_.size());
}

std::string SimMainWindow::EditorLine(int index) {
  RebuildLineStarts();
  if (index < 0 || index >= static_cast<int>(line_starts_.size())) return {};
  const std::size_t start = static_cast<std::size_t>(line_starts_[index]);
  const bool last = index + 1 == static_cast<int>(line_starts_.size());
  const std::size_t end = last ? text_.size() : static_cast<std::size_t>(line_starts_[index + 1]) - 2;
  return text_.substr(start, end - start);
}

void SimMainWindow::SelectInEditor(int start, int length) {
  const int size = static_cast<int>(text_.size());
  const int clipped_start = std::clamp(start, 0, size);
  const int64_t wanted_end = static_cast<int64_t>(clipped_start) + std::max(length, 0);
  selection_start_ = clipped_start;
  selection_length_ = static_cast<int>(std::min<int64_t>(wanted_end, size)) - clipped_start;
  SimEvent e{SimEvent::Kind::SelectInEditor};
  e.a = start;
  e.b = length;
  e.c = selection_length_;
  log_.Add(std::move(e));
}

std::string SimMainWindow::LocationXText(int n) { return n >= 1 && n <= 20 ? location_x_[n - 1] : std::string(); }
std::string SimMainWindow::LocationYText(int n) { return n >= 1 && n <= 20 ? location_y_[n - 1] : std::string(); }
std::string SimMainWindow::KeySlotText(int n) { return n >= 1 && n <= 40 ? keys_[n - 1] : std::string(); }

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
  text_ = std::move(text);
  line_starts_stale_ = true;
  selection_start_ = std::min(selection_start_, static_cast<int>(text_.size()));
  selection_length_ = std::min(selection_length_, static_cast<int>(text_.size()) - selection_start_);
}

void SimMainWindow::SetCodeLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  SetEditorText(std::move(text));
}

void SimMainWindow::SetLocation(int n, std::string x, std::string y) {
  location_x_.at(static_cast<std::size_t>(n - 1)) = std::move(x);
  location_y_.at(static_cast<std::size_t>(n - 1)) = std::move(y);
}

void SimMainWindow::SetKeySlot(int n, std::string text) { keys_.at(static_cast<std::size_t>(n - 1)) = std::move(text); }

void SimMainWindow::AtDelivery(int64_t n, std::function<void()> action) { delivery_actions_.emplace(n, std::move(action)); }

void SimMainWindow::RebuildLineStarts() {
  if (!line_starts_stale_) return;
  line_starts_.assign(1, 0);
  for (std::size_t i = 0; i + 1 < text_.size(); ++i) {
    if (text_[i] == '\r' && text_[i + 1] == '\n') line_starts_.push_back(static_cast<int>(i + 2));
  }
  line_starts_stale_ = false;
}

}  // namespace dx
