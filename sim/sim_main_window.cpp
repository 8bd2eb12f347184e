#include "sim/sim_main_window.h"

namespace dx {

void SimMainWindow::SelectInEditor(int start, int length) {
  DocumentWindow::SelectInEditor(start, length);
  SimEvent e{SimEvent::Kind::SelectInEditor};
  e.a = start;
  e.b = length;
  e.c = EditorSelectionLength();
  log_.Add(std::move(e));
}

void SimMainWindow::SetStatusText(std::string_view utf8) {
  DocumentWindow::SetStatusText(utf8);
  SimEvent e{SimEvent::Kind::SetStatusText};
  e.text = StatusText();
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

void SimMainWindow::AtDelivery(int64_t n, std::function<void()> action) { delivery_actions_.emplace(n, std::move(action)); }

}  // namespace dx
