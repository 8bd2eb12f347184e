#include "recorder/condense.h"

#include <array>
#include <cstdlib>
#include <optional>

#include "base/format_hex.h"
#include "recorder/input_log.h"

namespace dx {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

char ButtonLetter(RecordedButton b) {
  switch (b) {
    case RecordedButton::Left: return 'L';
    case RecordedButton::Right: return 'R';
    case RecordedButton::Middle: return 'M';
  }
  return 'L';
}

std::string MouseLine(RecordedButton b, char action) { return std::string("MOUSE ") + ButtonLetter(b) + action; }

std::string KeyLine(uint8_t vk, std::string_view word) {
  std::string line = "KEY $" + FormatHex(vk, 2);
  if (!word.empty()) line += ' ' + std::string(word);
  return line;
}

bool Near(const RecordedPoint& a, const RecordedPoint& b) {
  return std::llabs(a.x - b.x) <= kClickSlackPixels && std::llabs(a.y - b.y) <= kClickSlackPixels;
}

// One slot of the down state for every key code and every button.
std::size_t StateIndex(const RecordedInput& input) {
  return input.IsKey() ? input.vk : 256 + static_cast<std::size_t>(input.button);
}

// The inputs without the releases of what went down before the recording
// and without the repeats of a held key.
std::vector<RecordedInput> Transitions(std::span<const RecordedInput> inputs) {
  std::array<bool, 259> down{};
  std::vector<RecordedInput> kept;
  kept.reserve(inputs.size());
  for (const RecordedInput& input : inputs) {
    bool& is_down = down[StateIndex(input)];
    if (input.IsDown() == is_down) continue;
    is_down = input.IsDown();
    kept.push_back(input);
  }
  return kept;
}

// For every down, the index of its release; kNone while it is still down at the end.
std::vector<std::size_t> Releases(const std::vector<RecordedInput>& inputs) {
  std::vector<std::size_t> release(inputs.size(), kNone);
  std::array<std::size_t, 259> open{};
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const std::size_t state = StateIndex(inputs[i]);
    if (inputs[i].IsDown()) open[state] = i;
    else release[open[state]] = i;
  }
  return release;
}

class LineWriter {
 public:
  explicit LineWriter(const CondenseOptions& options) : options_(options) {}

  // The pause since the end of the last action, before an action that starts at `start_ms`.
  void PauseUntil(int64_t start_ms) {
    if (!last_end_ms_ || !options_.delays) return;
    const int64_t pause = start_ms - *last_end_ms_;
    if (pause < kShortestDelayMs) return;
    Line("DELAY " + std::to_string((pause + 5) / 10 * 10));
  }
  void MoveTo(const RecordedPoint& p) {
    if (current_ == p) return;
    current_ = p;
    Line("MOUSE GO " + Position(p));
  }
  void Line(std::string line) { out_.lines.push_back(std::move(line)); }
  void EndedAt(int64_t end_ms) { last_end_ms_ = end_ms; }
  CondensedRecording Take() { return std::move(out_); }

 private:
  std::string Position(const RecordedPoint& p) {
    if (options_.use_slots) {
      for (const SlotPoint& s : out_.slots) {
        if (s.at == p) return std::to_string(s.slot);
      }
      if (out_.slots.size() < options_.free_slots.size()) {
        out_.slots.push_back({options_.free_slots[out_.slots.size()], p});
        return std::to_string(out_.slots.back().slot);
      }
      if (!IsUnslotted(p)) unslotted_.push_back(p);
    }
    return "." + std::to_string(p.x) + "." + std::to_string(p.y);
  }
  bool IsUnslotted(const RecordedPoint& p) {
    for (const RecordedPoint& u : unslotted_) {
      if (u == p) return true;
    }
    out_.points_without_slot++;
    return false;
  }

  const CondenseOptions& options_;
  CondensedRecording out_;
  std::optional<RecordedPoint> current_;
  std::optional<int64_t> last_end_ms_;
  std::vector<RecordedPoint> unslotted_;
};

struct LastClick {
  RecordedButton button;
  RecordedPoint at;
  int64_t end_ms;
};

class Condenser {
 public:
  Condenser(std::span<const RecordedInput> inputs, const CondenseOptions& options)
      : inputs_(Transitions(inputs)), release_(Releases(inputs_)), consumed_(inputs_.size(), false), out_(options) {}

  CondensedRecording Run(bool endscript) {
    for (std::size_t i = 0; i < inputs_.size(); ++i) {
      if (consumed_[i]) continue;
      const RecordedInput& input = inputs_[i];
      if (input.IsKey()) Key(i);
      else Button(i);
    }
    ReleaseWhatIsDown();
    if (endscript) out_.Line("ENDSCRIPT");
    return out_.Take();
  }

 private:
  // A press and release with nothing between, at one point, quickly.
  bool IsClick(std::size_t down) const {
    const std::size_t up = release_[down];
    return up == down + 1 && Near(inputs_[down].at, inputs_[up].at) &&
           inputs_[up].time_ms - inputs_[down].time_ms <= kClickMs;
  }
  bool IsSecondClick(const RecordedInput& down) const {
    return last_click_ && last_click_->button == down.button && Near(last_click_->at, down.at) &&
           down.time_ms - last_click_->end_ms <= kClickMs;
  }
  // Released quickly, and between only other typed keys (for a modifier: nothing).
  bool IsKeyPress(std::size_t down) const {
    const std::size_t up = release_[down];
    if (up == kNone || inputs_[up].time_ms - inputs_[down].time_ms > kClickMs) return false;
    if (ModifierBitOfKey(inputs_[down].vk) != 0) return up == down + 1;
    for (std::size_t k = down + 1; k < up; ++k) {
      if (!inputs_[k].IsKey() || ModifierBitOfKey(inputs_[k].vk) != 0) return false;
    }
    return true;
  }

  void Button(std::size_t i) {
    const RecordedInput& input = inputs_[i];
    const bool second_click = input.IsDown() && IsClick(i) && IsSecondClick(input);
    last_click_.reset();
    if (!second_click) {
      out_.PauseUntil(input.time_ms);
      out_.MoveTo(input.at);
    }
    if (input.IsDown() && IsClick(i)) {
      const RecordedInput& up = inputs_[release_[i]];
      consumed_[release_[i]] = true;
      out_.Line(MouseLine(input.button, 'C'));
      out_.EndedAt(up.time_ms);
      last_click_ = LastClick{input.button, input.at, up.time_ms};
      return;
    }
    out_.Line(MouseLine(input.button, input.IsDown() ? 'D' : 'U'));
    out_.EndedAt(input.time_ms);
  }

  void Key(std::size_t i) {
    const RecordedInput& input = inputs_[i];
    last_click_.reset();
    out_.PauseUntil(input.time_ms);
    if (input.IsDown() && IsKeyPress(i)) {
      consumed_[release_[i]] = true;
      out_.Line(KeyLine(input.vk, "PRESS"));
      out_.EndedAt(inputs_[release_[i]].time_ms);
      return;
    }
    out_.Line(KeyLine(input.vk, input.IsDown() ? "" : "UP"));
    out_.EndedAt(input.time_ms);
  }

  // Latest first, as a run's end releases them.
  void ReleaseWhatIsDown() {
    for (std::size_t i = inputs_.size(); i-- > 0;) {
      const RecordedInput& input = inputs_[i];
      if (!input.IsDown() || release_[i] != kNone) continue;
      out_.Line(input.IsKey() ? KeyLine(input.vk, "UP") : MouseLine(input.button, 'U'));
    }
  }

  std::vector<RecordedInput> inputs_;
  std::vector<std::size_t> release_;
  std::vector<bool> consumed_;
  LineWriter out_;
  std::optional<LastClick> last_click_;
};

}  // namespace

CondensedRecording CondenseRecording(std::span<const RecordedInput> inputs, const CondenseOptions& options) {
  return Condenser(inputs, options).Run(options.endscript);
}

}  // namespace dx
