// The record of everything a simulated run did to its window and platform,
// in order. The simulator prints it; tests inspect it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/input_record.h"

namespace dx {

struct SimEvent {
  enum class Kind {
    SendInput,
    InputRefused,  // the SendInput just before inserted nothing
    ScreenWidth,
    ScreenHeight,
    ReadScreenPixel,
    TickCount,
    Beep,
    MakeMainWindowNotTopmost,
    SetForegroundWindow,
    SetStatusText,
    SetGoCaption,
    ShowPlainMessage,
    SelectInEditor,
    DeliverMessages,
  };
  explicit SimEvent(Kind k) : kind(k) {}

  Kind kind;
  // The operation's values: the record for SendInput; otherwise the numbers
  // and text the operation took or gave (see FormatSimEvent).
  InputRecord record{};
  int64_t a = 0;
  int64_t b = 0;
  int64_t c = 0;
  std::string text;
};

// One line per event, e.g. "SendInput 00000000..." (56 upper-case hex
// digits), "TickCount 1010", "SelectInEditor 0 11 -> 11".
std::string FormatSimEvent(const SimEvent& event);
std::string HexBytes(const InputRecord& record);

class SimLog {
 public:
  void Add(SimEvent event);

  // Keeping every event costs memory on long runs; a printing host may
  // switch it off and only listen.
  void SetKeeping(bool keep) { keep_ = keep; }
  void SetListener(std::function<void(const SimEvent&)> listener) { listener_ = std::move(listener); }

  const std::vector<SimEvent>& Events() const { return events_; }
  std::vector<InputRecord> SentRecords() const;
  std::size_t Count(SimEvent::Kind kind) const;
  void Clear() { events_.clear(); }

 private:
  bool keep_ = true;
  std::vector<SimEvent> events_;
  std::function<void(const SimEvent&)> listener_;
};

}  // namespace dx
