#include "engine/held_inputs.h"

#include <algorithm>

namespace dx {
namespace {

uint32_t UpFlagOf(uint32_t down_flag) {
  for (const MouseButton& b : kMouseButtons) {
    if (b.down == down_flag) return b.up;
  }
  return 0;
}

}  // namespace

void HeldInputs::Note(const InputRecord& record) {
  if (record.Type() == InputRecord::kTypeKeyboard) {
    if (record.KeyFlags() & kKeyUp) {
      Release(true, record.KeyVk());
    } else {
      Press({true, record.KeyVk(), record.KeyScan(), record.KeyFlags() & kKeyExtended});
    }
    return;
  }
  if (record.Type() != InputRecord::kTypeMouse) return;
  // A record may carry several button flags; the system applies a down
  // before the up of the same button.
  const uint32_t flags = record.MouseFlags();
  for (const MouseButton& b : kMouseButtons) {
    if (flags & b.down) Press({false, b.down});
    if (flags & b.up) Release(false, b.down);
  }
}

void HeldInputs::Press(const Held& pressed) {
  auto same = [&](const Held& h) { return h.is_key == pressed.is_key && h.id == pressed.id; };
  // Pressing a key that is already down does not make it "more" down.
  if (std::none_of(held_.begin(), held_.end(), same)) held_.push_back(pressed);
}

void HeldInputs::Release(bool is_key, uint32_t id) {
  auto same = [&](const Held& h) { return h.is_key == is_key && h.id == id; };
  held_.erase(std::remove_if(held_.begin(), held_.end(), same), held_.end());
}

std::vector<InputRecord> HeldInputs::ReleaseRecords() const {
  std::vector<InputRecord> records;
  for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
    InputRecord r;
    if (it->is_key) {
      r.SetType(InputRecord::kTypeKeyboard);
      r.SetKeyVk(static_cast<uint16_t>(it->id));
      r.SetKeyScan(it->scan);
      r.SetKeyFlags(kKeyUp | it->extended);
    } else {
      r.SetType(InputRecord::kTypeMouse);
      r.SetMouseFlags(UpFlagOf(it->id));
    }
    records.push_back(r);
  }
  return records;
}

}  // namespace dx
