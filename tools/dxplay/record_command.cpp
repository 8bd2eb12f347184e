// dxplay record: the user's clicks, drags, keys and pauses, recorded
// through the RECORD extension until the stop key or a signal, condensed
// into script lines and written into the script.
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "player/stop_signals.h"
#include "recorder/condense.h"
#include "recorder/input_log.h"
#include "texts/dxplay_texts.h"
#include "tools/dxplay/command_support.h"
#include "tools/dxplay/dxplay_commands.h"
#include "tools/dxplay/record_file.h"
#include "x11/monitor.h"
#include "x11/recorder.h"

namespace dx {
namespace {

namespace t = dxplay_texts;

struct Recording {
  const DxplayOptions& options;
  RecordingFile file;
  InputLog log;
  NativeFileSystem files;
  const x11::InputRecorder* recorder = nullptr;
};

Recording* g_recording = nullptr;  // saved when the server goes away mid-recording

// Until the stop key went down or a signal came.
void RecordUntilStop(x11::InputRecorder& recorder, const InputLog& log) {
  for (;;) {
    recorder.Process();
    if (log.Stopped() || StopSignalNumber() != 0) return;
    pollfd fds[] = {{recorder.Fd(), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    poll(fds, 2, -1);
  }
}

// The lines, so that a recording whose file cannot be written is not lost.
void PrintInstead(const CondensedRecording& recording) {
  Error(t::kRecordingPrintedInstead);
  for (const SlotPoint& s : recording.slots) {
    std::printf("; location slot %d: %lld,%lld\n", s.slot, static_cast<long long>(s.at.x), static_cast<long long>(s.at.y));
  }
  for (const std::string& line : recording.lines) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

int Save(Recording& r) {
  CondenseOptions options;
  options.delays = r.options.record_delays;
  options.endscript = !r.file.append;
  options.use_slots = r.options.record_slots;
  options.free_slots = FreeLocationSlots(r.file);
  const CondensedRecording recording = CondenseRecording(r.log.Inputs(), options);
  if (r.recorder != nullptr) {
    const x11::LeftOut& left_out = r.recorder->Omitted();
    if (left_out.wheel_or_extra_buttons + left_out.keys_without_code > 0) {
      Error(t::LeftOutWarning(left_out.wheel_or_extra_buttons, left_out.keys_without_code));
    }
  }
  if (recording.points_without_slot > 0) Error(t::SlotsUsedUp(recording.points_without_slot));
  std::string error;
  if (!SaveRecording(r.file, recording, r.files, error)) {
    Error(error);
    PrintInstead(recording);
    return kExitFileFailed;
  }
  Say(t::RecordingSaved(recording.lines.size(), r.file.path));
  return 0;
}

// What was recorded up to the loss is still the user's work.
void SaveBeforeDisplayLost() {
  if (g_recording == nullptr) return;
  Recording* r = g_recording;
  g_recording = nullptr;
  r->recorder = nullptr;  // its connection is gone
  Save(*r);
}

}  // namespace

int RecordCommand(const DxplayOptions& o) {
  Recording r{o, {}, InputLog(o.stop_key), {}, nullptr};
  if (const int status = OpenRecordingFile(o.script_path, o.append, r.file, r.files)) return status;
  DisplayPtr display = Open();
  if (!display) return kExitNoDisplay;
  std::string error;
  x11::InputRecorder recorder(
      display.get(), x11::PrimaryMonitor(display.get()), [&r](const RecordedInput& input) { r.log.Add(input); },
      error);
  if (!recorder.Recording()) {
    Error(error);
    return kExitNoDisplay;
  }
  r.recorder = &recorder;
  g_recording = &r;
  g_before_display_lost = SaveBeforeDisplayLost;
  Say(t::RecordingPrompt(CombinationName(o.stop_key.modifiers, o.stop_key.key)));
  RecordUntilStop(recorder, r.log);
  recorder.Finish();
  g_recording = nullptr;
  // Ctrl+C pressed in a terminal reaches the recording before its signal.
  if (StopSignalNumber() == SIGINT) r.log.DropInterruptKey();
  return Save(r);
}

}  // namespace dx
