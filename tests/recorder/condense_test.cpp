// The recorder's rules: inputs as a user makes them, through the stop rule
// of the log, in; script lines out.
#include <gtest/gtest.h>

#include <sstream>

#include "recorder/condense.h"
#include "recorder/input_log.h"

namespace dx {
namespace {

// "T L+ X,Y" / "T R- X,Y" a button down / up at X,Y; "T K+41" / "T K-41" a
// key down / up; T the time in ms; inputs separated by ';'.
std::vector<RecordedInput> Inputs(const std::string& text) {
  std::vector<RecordedInput> inputs;
  std::istringstream all(text);
  std::string one;
  while (std::getline(all, one, ';')) {
    std::istringstream words(one);
    RecordedInput input;
    std::string what;
    words >> input.time_ms >> what;
    const bool down = what[1] == '+';
    if (what[0] == 'K') {
      input.kind = down ? RecordedKind::KeyDown : RecordedKind::KeyUp;
      input.vk = static_cast<uint8_t>(std::stoi(what.substr(2), nullptr, 16));
    } else {
      input.kind = down ? RecordedKind::ButtonDown : RecordedKind::ButtonUp;
      input.button = what[0] == 'L' ? RecordedButton::Left : what[0] == 'R' ? RecordedButton::Right : RecordedButton::Middle;
      char comma = 0;
      words >> input.at.x >> comma >> input.at.y;
    }
    inputs.push_back(input);
  }
  return inputs;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += (all.empty() ? "" : " / ") + line;
  return all;
}

enum Flags { kNone = 0, kNoDelays = 1, kAppend = 2, kSlots = 4, kInterrupted = 8 };

TEST(Recorder, InputsBecomeShortScriptLines) {
  struct Case {
    const char* name;
    const char* inputs;
    const char* lines;  // ENDSCRIPT left out unless appending
    int flags = kNone;
  } cases[] = {
      {"click", "0 L+ 100,200; 50 L- 100,200", "MOUSE GO .100.200 / MOUSE LC"},
      {"click with a pixel of jitter", "0 L+ 100,200; 50 L- 101,198", "MOUSE GO .100.200 / MOUSE LC"},
      {"double-click stays one", "0 L+ 10,10; 40 L- 10,10; 150 L+ 11,10; 190 L- 11,10", "MOUSE GO .10.10 / MOUSE LC / MOUSE LC"},
      {"two clicks apart in time", "0 L+ 10,10; 40 L- 10,10; 900 L+ 10,10; 940 L- 10,10",
       "MOUSE GO .10.10 / MOUSE LC / DELAY 860 / MOUSE LC"},
      {"drag", "0 L+ 10,10; 400 L- 300,200", "MOUSE GO .10.10 / MOUSE LD / DELAY 400 / MOUSE GO .300.200 / MOUSE LU"},
      {"quick drag", "0 L+ 10,10; 20 L- 30,10", "MOUSE GO .10.10 / MOUSE LD / MOUSE GO .30.10 / MOUSE LU"},
      {"long press in place", "0 L+ 10,10; 800 L- 10,10", "MOUSE GO .10.10 / MOUSE LD / DELAY 800 / MOUSE LU"},
      {"right click", "0 R+ 5,6; 30 R- 5,6", "MOUSE GO .5.6 / MOUSE RC"},
      {"middle click left of the primary monitor", "0 M+ -300,6; 30 M- -300,6", "MOUSE GO .-300.6 / MOUSE MC"},
      {"typed word with Shift", "0 K+10; 10 K+48; 20 K-48; 30 K-10; 40 K+49; 50 K-49",
       "KEY $10 / KEY $48 PRESS / KEY $10 UP / KEY $49 PRESS"},
      {"overlapping typing", "0 K+41; 10 K+42; 20 K-41; 30 K-42", "KEY $41 PRESS / KEY $42 PRESS"},
      {"Ctrl+S", "0 K+11; 100 K+53; 150 K-53; 200 K-11", "KEY $11 / DELAY 100 / KEY $53 PRESS / DELAY 50 / KEY $11 UP"},
      {"Ctrl+click", "0 K+11; 10 L+ 4,4; 20 L- 4,4; 30 K-11", "KEY $11 / MOUSE GO .4.4 / MOUSE LC / KEY $11 UP"},
      {"a lone modifier", "0 K+12; 40 K-12", "KEY $12 PRESS"},
      {"a key held", "0 K+28; 700 K-28", "KEY $28 / DELAY 700 / KEY $28 UP"},
      {"a held key's repeats", "0 K+28; 500 K+28; 530 K+28; 700 K-28", "KEY $28 / DELAY 700 / KEY $28 UP"},
      {"a pause", "0 K+41; 10 K-41; 1244 K+42; 1250 K-42", "KEY $41 PRESS / DELAY 1230 / KEY $42 PRESS"},
      {"a pause rounded up", "0 K+41; 10 K-41; 1245 K+42; 1250 K-42", "KEY $41 PRESS / DELAY 1240 / KEY $42 PRESS"},
      {"a tiny pause", "0 K+41; 10 K-41; 39 K+42; 45 K-42", "KEY $41 PRESS / KEY $42 PRESS"},
      {"the shortest pause", "0 K+41; 10 K-41; 40 K+42; 45 K-42", "KEY $41 PRESS / DELAY 30 / KEY $42 PRESS"},
      {"no delays", "0 L+ 1,1; 10 L- 1,1; 3000 K+41; 3010 K-41", "MOUSE GO .1.1 / MOUSE LC / KEY $41 PRESS", kNoDelays},
      {"an idle start and end", "5000 L+ 1,1; 5010 L- 1,1", "MOUSE GO .1.1 / MOUSE LC"},
      {"the starting key's release", "0 K-0D; 1000 L+ 1,1; 1010 L- 1,1", "MOUSE GO .1.1 / MOUSE LC"},
      {"the stop key with its modifiers", "0 L+ 1,1; 10 L- 1,1; 500 K+11; 510 K+12; 520 K+10; 530 K+7B; 540 K-7B",
       "MOUSE GO .1.1 / MOUSE LC"},
      {"a modifier held from before the stop", "0 K+10; 10 K+41; 20 K-41; 500 K+11; 510 K+12; 530 K+7B",
       "KEY $10 / KEY $41 PRESS / KEY $10 UP"},
      {"F12 alone is recorded", "0 K+7B; 10 K-7B", "KEY $7B PRESS"},
      {"a key still down at the stop", "0 K+41; 100 L+ 2,2; 300 K+11; 310 K+12; 320 K+10; 330 K+7B",
       "KEY $41 / DELAY 100 / MOUSE GO .2.2 / MOUSE LD / MOUSE LU / KEY $41 UP"},
      {"Ctrl+C that stopped it", "0 K+41; 10 K-41; 900 K+11; 920 K+43; 930 K-43", "KEY $41 PRESS", kInterrupted},
      {"Ctrl+C that did not", "0 K+11; 20 K+43; 30 K-43; 40 K-11; 50 K+41; 60 K-41",
       "KEY $11 / KEY $43 PRESS / KEY $11 UP / KEY $41 PRESS", kInterrupted},
      {"appended", "0 K+41; 10 K-41", "KEY $41 PRESS", kAppend},
      {"slots", "0 L+ 1,1; 10 L- 1,1; 20 L+ 20,20; 30 L- 20,20; 40 L+ 1,1; 50 L- 1,1; 60 L+ 3,30; 70 L- 3,30",
       "MOUSE GO 2 / MOUSE LC / MOUSE GO 5 / MOUSE LC / MOUSE GO 2 / MOUSE LC / MOUSE GO .3.30 / MOUSE LC", kSlots | kNoDelays},
      {"nothing", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InputLog log({kDefaultStopModifiers, kDefaultStopKey});
    for (const RecordedInput& input : Inputs(c.inputs)) log.Add(input);
    if (c.flags & kInterrupted) log.DropInterruptKey();
    CondenseOptions options;
    options.delays = !(c.flags & kNoDelays);
    options.endscript = !(c.flags & kAppend);
    options.use_slots = c.flags & kSlots;
    options.free_slots = {2, 5};
    const CondensedRecording out = CondenseRecording(log.Inputs(), options);
    std::string expected = c.lines;
    if (options.endscript) expected += expected.empty() ? "ENDSCRIPT" : " / ENDSCRIPT";
    EXPECT_EQ(Joined(out.lines), expected);
    if (c.flags & kSlots) {
      ASSERT_EQ(out.slots.size(), 2u);
      EXPECT_EQ(out.slots[1].slot, 5);
      EXPECT_EQ(out.slots[1].at, (RecordedPoint{20, 20}));
      EXPECT_EQ(out.points_without_slot, 1);
    }
  }
}

}  // namespace
}  // namespace dx
