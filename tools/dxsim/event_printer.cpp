#include "tools/dxsim/event_printer.h"

namespace dx {

bool EventPrinter::IsWaitEvent(const SimEvent& event) {
  return event.kind == SimEvent::Kind::DeliverMessages || event.kind == SimEvent::Kind::TickCount;
}

void EventPrinter::Print(const SimEvent& event) {
  if (!IsWaitEvent(event)) {
    Flush();
    out_ << FormatSimEvent(event);
    if (event.kind == SimEvent::Kind::SendInput) out_ << " ; " << RecordLabel(event.record, screen_width_, screen_height_);
    out_ << '\n';
    return;
  }
  if (event.kind == SimEvent::Kind::DeliverMessages) {
    ++deliveries_;
  } else {
    const auto tick = static_cast<uint64_t>(event.a);
    if (tick_reads_ == 0) first_tick_ = tick;
    last_tick_ = tick;
    ++tick_reads_;
  }
  if (pending_.size() < 3) pending_.push_back(event);
}

void EventPrinter::Flush() {
  if (deliveries_ + tick_reads_ < 3) {
    for (const auto& e : pending_) out_ << FormatSimEvent(e) << '\n';
  } else {
    out_ << "Wait deliveries=" << deliveries_ << " tick-reads=" << tick_reads_;
    if (tick_reads_ > 0) out_ << " ticks=" << first_tick_ << ".." << last_tick_;
    out_ << '\n';
  }
  pending_.clear();
  deliveries_ = 0;
  tick_reads_ = 0;
}

}  // namespace dx
