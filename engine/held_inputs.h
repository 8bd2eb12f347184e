// Keys and mouse buttons that a run itself pressed and has not released,
// so that the end of the run can release exactly those, latest first, and
// never touch a key the user holds.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/input_record.h"

namespace dx {

class HeldInputs {
 public:
  // Learns from a record that was actually sent.
  void Note(const InputRecord& record);

  // The records that release what is still held, latest press first.
  std::vector<InputRecord> ReleaseRecords() const;

  void Clear() { held_.clear(); }

 private:
  struct Held {
    bool is_key;
    uint32_t id;  // virtual-key code, or the button's down flag
    // A key's scan code and extended flag, as its press carried them.
    uint16_t scan = 0;
    uint32_t extended = 0;
  };
  void Press(const Held& pressed);
  void Release(bool is_key, uint32_t id);

  std::vector<Held> held_;  // in order of pressing
};

}  // namespace dx
