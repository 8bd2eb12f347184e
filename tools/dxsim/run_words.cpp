#include "tools/dxsim/run_words.h"

#include "engine/input_record.h"

namespace dx {
namespace {

std::string Hex2(unsigned value) {
  const char* digits = "0123456789ABCDEF";
  return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

// One input record in the manual's words: "move 100,200", "left down",
// "key 0D up".
std::string RecordWords(const InputRecord& r, int screen_width, int screen_height) {
  if (r.Type() == InputRecord::kTypeKeyboard) {
    return "key " + Hex2(r.KeyVk()) + ((r.KeyFlags() & kKeyUp) ? " up" : " down");
  }
  struct Flag {
    uint32_t flags;
    const char* words;
  };
  static constexpr Flag kFlags[] = {{0x0002, "left down"},  {0x0004, "left up"},    {0x0008, "right down"},
                                    {0x0010, "right up"},   {0x0020, "middle down"}, {0x0040, "middle up"}};
  if (r.MouseFlags() == 0x8001) {
    // The system's own truncation takes the absolute value back to a pixel.
    const int64_t x = (int64_t{r.MouseDx()} * screen_width) >> 16;
    const int64_t y = (int64_t{r.MouseDy()} * screen_height) >> 16;
    return "move " + std::to_string(x) + "," + std::to_string(y);
  }
  for (const Flag& f : kFlags) {
    if (r.MouseFlags() == f.flags) return f.words;
  }
  return "mouse flags " + std::to_string(r.MouseFlags());
}

// The run in the manual's words: its effects, how it ended, then what the
// end released.
}  // namespace

std::string RunInWords(const std::vector<SimEvent>& events, const std::string& ending, int screen_width,
                       int screen_height) {
  using K = SimEvent::Kind;
  std::size_t end = events.size();
  for (std::size_t i = events.size(); i-- > 0;) {
    if (events[i].kind == K::SetStatusText) {
      end = i;
      break;
    }
  }
  std::size_t releases = end;
  while (releases > 0 && events[releases - 1].kind == K::SendInput) --releases;

  std::vector<std::string> words;
  std::vector<uint64_t> ticks;  // the clock reads of one DELAY
  auto close_wait = [&] {
    if (ticks.size() > 1) words.push_back("wait " + std::to_string(ticks.back() - ticks.front() - 1));
    ticks.clear();
  };
  for (std::size_t i = 0; i < releases; ++i) {
    const SimEvent& e = events[i];
    if (e.kind == K::TickCount) {
      ticks.push_back(static_cast<uint64_t>(e.a));
      continue;
    }
    if (e.kind == K::DeliverMessages) continue;
    close_wait();
    if (e.kind == K::SendInput) words.push_back(RecordWords(e.record, screen_width, screen_height));
    if (e.kind == K::ReadScreenPixel) words.push_back("read " + std::to_string(e.a) + "," + std::to_string(e.b));
    if (e.kind == K::Beep) words.push_back("beep");
  }
  close_wait();
  words.push_back(ending);
  for (std::size_t i = releases; i < end; ++i) words.push_back("release " + RecordWords(events[i].record, screen_width, screen_height));

  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : "; ") + w;
  return text;
}

}  // namespace dx
