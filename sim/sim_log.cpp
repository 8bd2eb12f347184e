#include "sim/sim_log.h"

#include <algorithm>

#include "base/format_hex.h"

namespace dx {

std::string HexBytes(const InputRecord& record) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (uint8_t byte : record.Bytes()) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
  }
  return out;
}

namespace {

// Colours and window handles as 8 digits of their 32 bits.
std::string Hex8(int64_t value) { return FormatHex(static_cast<uint32_t>(value), 8); }

}  // namespace

std::string FormatSimEvent(const SimEvent& e) {
  using K = SimEvent::Kind;
  switch (e.kind) {
    case K::SendInput: return "SendInput " + HexBytes(e.record);
    case K::InputRefused: return "InputRefused";
    case K::ScreenWidth: return "ScreenWidth " + std::to_string(e.a);
    case K::ScreenHeight: return "ScreenHeight " + std::to_string(e.a);
    case K::ReadScreenPixel:
      return "ReadScreenPixel " + std::to_string(e.a) + " " + std::to_string(e.b) + " -> " + Hex8(e.c);
    case K::TickCount: return "TickCount " + std::to_string(static_cast<uint64_t>(e.a));
    case K::Beep: return "Beep";
    case K::MakeMainWindowNotTopmost: return "MakeMainWindowNotTopmost";
    case K::SetForegroundWindow: return "SetForegroundWindow " + Hex8(e.a);
    case K::SetStatusText: return "SetStatusText " + e.text;
    case K::SetGoCaption: return "SetGoCaption " + e.text;
    case K::ShowPlainMessage: return "ShowPlainMessage " + e.text;
    case K::SelectInEditor:
      return "SelectInEditor " + std::to_string(e.a) + " " + std::to_string(e.b) + " -> " + std::to_string(e.c);
    case K::DeliverMessages: return "DeliverMessages";
  }
  return "?";
}

void SimLog::Add(SimEvent event) {
  if (listener_) listener_(event);
  if (keep_) events_.push_back(std::move(event));
}

std::vector<InputRecord> SimLog::SentRecords() const {
  std::vector<InputRecord> records;
  for (const auto& e : events_) {
    if (e.kind == SimEvent::Kind::SendInput) records.push_back(e.record);
  }
  return records;
}

std::size_t SimLog::Count(SimEvent::Kind kind) const {
  return static_cast<std::size_t>(
      std::count_if(events_.begin(), events_.end(), [&](const SimEvent& e) { return e.kind == kind; }));
}

}  // namespace dx
