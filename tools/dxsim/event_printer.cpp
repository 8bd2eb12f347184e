#include "tools/dxsim/event_printer.h"

#include "base/format_hex.h"
#include "engine/mouse_command.h"

namespace dx {

std::string RecordLabel(const InputRecord& record, int screen_width, int screen_height) {
  if (record.Type() == InputRecord::kTypeKeyboard) {
    const uint32_t flags = record.KeyFlags();
    return "key " + FormatHex(record.KeyVk(), 2) + ((flags & kKeyUp) != 0 ? " up" : " down") +
           ((flags & kKeyExtended) != 0 ? ", extended" : "");
  }
  if (record.Type() != InputRecord::kTypeMouse) return "type " + std::to_string(record.Type());
  const uint32_t flags = record.MouseFlags();
  std::string label;
  if ((flags & kMouseMove) != 0) {
    label = (flags & kMouseAbsolute) != 0
                ? "move " + std::to_string(PixelOfAbsolute(record.MouseDx(), screen_width)) + "," +
                      std::to_string(PixelOfAbsolute(record.MouseDy(), screen_height))
                : "move by " + std::to_string(record.MouseDx()) + "," + std::to_string(record.MouseDy());
  }
  static constexpr const char* kButtonWords[] = {"left", "right", "middle"};  // in the order of kMouseButtons
  for (std::size_t i = 0; i < std::size(kMouseButtons); ++i) {
    for (const auto& [flag, what] : {std::pair{kMouseButtons[i].down, " down"}, std::pair{kMouseButtons[i].up, " up"}}) {
      if ((flags & flag) == 0) continue;
      label += (label.empty() ? "" : ", ") + std::string(kButtonWords[i]) + what;
    }
  }
  return label.empty() ? "mouse, no action" : label;
}

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
