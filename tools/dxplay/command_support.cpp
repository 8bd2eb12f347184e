#include "tools/dxplay/command_support.h"

#include <unistd.h>

#include <cstdio>

#include "base/script_error.h"
#include "engine/run_control.h"
#include "player/exit_statuses.h"
#include "player/messages.h"
#include "player/status_line.h"
#include "player/stop_signals.h"
#include "texts/dxplay_texts.h"
#include "texts/program_texts.h"
#include "tools/dxplay/dxplay_main_window.h"

namespace dx {
namespace {

StatusLine* g_status = nullptr;  // cleared before the last words of a lost display

}  // namespace

void Error(std::string_view message) {
  if (g_status) g_status->Clear();
  PrintError(message);
}

void Say(std::string_view message, bool quiet) {
  if (!quiet && isatty(STDOUT_FILENO)) std::printf("%.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stdout);
}

std::optional<ScriptFileLines> Load(const std::string& path, ScriptDocument& doc, FileSystem& files) {
  const ScriptFileLoad load = TryReadScriptFile(path, doc, files);
  if (load.error) {
    const std::string where = load.error_line > 0 ? path + ":" + std::to_string(load.error_line) : path;
    Error(where + ": " + FullStopMessage(*load.error));
    return std::nullopt;
  }
  return load.lines;
}

int StatusAfterSignal(int otherwise) {
  const int signal_number = StopSignalNumber();
  if (signal_number == 0 || signal_number == kStopRequestSignal) return otherwise;
  return ExitStatusOfSignal(signal_number);
}

int PlayScript(const DxplayOptions& o, const ScriptDocument& doc, ScriptFileLines lines, std::string entry,
               EnginePlatform& platform, RunEvents& events) {
  StatusLine status(stdout, !o.quiet);
  g_status = &status;
  DxplayMainWindow window(doc, lines, std::move(entry), events, status);
  int result = kExitSuccess;
  try {
    // A signal during the wait for the target's focus stops the run before its first line.
    if (StopSignalNumber() == 0) StartRun(window, platform);
    status.Clear();
  } catch (const ScriptError& e) {
    status.Clear();
    std::fprintf(stderr, "%s:%d: %s\n", o.script_path.c_str(), window.CurrentFileLine(),
                 FullStopMessage(e.what()).c_str());
    result = kExitRunFailed;
  } catch (const FocusRefused&) {
    Error(dxplay_texts::kFocusRefused);
    result = kExitNoFocus;
  } catch (const TargetClosed&) {
    status.Clear();
  }
  g_status = nullptr;
  if (result == kExitSuccess && events.TargetClosed()) {
    Error(dxplay_texts::TargetClosedMessage(window.CurrentFileLine()));
    result = kExitTargetClosed;
  }
  if (result == kExitSuccess && (events.StopKeyPressed() || StopSignalNumber() == kStopRequestSignal)) {
    result = kExitStopped;
  }
  return StatusAfterSignal(result);
}

}  // namespace dx
