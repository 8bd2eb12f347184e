#include "tools/dxsim/dxsim_commands.h"

#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "checker/check_script.h"
#include "checker/report.h"
#include "engine/run_control.h"
#include "base/script_error.h"
#include "base/file_system.h"
#include "scriptfile/script_file.h"
#include "sim/memory_file_system.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"
#include "tools/dxsim/dxsim_exit_statuses.h"
#include "tools/dxsim/event_printer.h"
#include "tools/dxsim/run_words.h"
#include "tools/dxsim/timed_pixels.h"

namespace dx {
namespace {

using dxsim::kExitFileFailed;
using dxsim::kExitLineBound;
using dxsim::kExitRunFailed;

void PrintErrorBox(std::ostream& out, const std::string& message) {
  out << "ErrorBox " << FullStopMessage(message) << '\n';
}

void PrintDiagnostics(const DxsimOptions& options, const std::vector<check::Diagnostic>& diagnostics,
                      std::ostream& out) {
  if (options.json) {
    check::PrintJson(out, options.input_path, diagnostics);
  } else {
    check::PrintText(out, options.input_path, diagnostics);
  }
}

// Returns "" or what is wrong with the picture.
std::string LoadScreen(const DxsimOptions& options, FileSystem& files, SimPlatform& platform) {
  platform.SetScreenSize(options.screen_width, options.screen_height);
  platform.SetDefaultColour(options.default_colour);
  platform.SetClock(options.tick_start, options.tick_step);
  platform.RefuseInputAt(options.refuse_input_at);
  if (!options.screen_image.empty()) {
    std::string bytes;
    if (uint32_t code = files.ReadWholeFile(options.screen_image, bytes)) return IoErrorMessage(code);
    RgbImage image;
    if (std::string error = ParsePpm(bytes, image); !error.empty()) return error;
    platform.SetImage(std::move(image));
  }
  for (const auto& p : options.pixels) platform.SetPixel(p.x, p.y, p.colour);
  return {};
}

// The input script into `doc`, where its code stands in the file, and
// what went wrong, if anything.
ScriptFileLoad ReadInput(const DxsimOptions& options, FileSystem& files, ScriptDocument& doc) {
  if (options.input_path != kStandardInput) return TryReadScriptFile(options.input_path, doc, files);
  MemoryFileSystem standard_input;
  std::ostringstream bytes;
  bytes << std::cin.rdbuf();
  standard_input.files[options.input_path] = bytes.str();
  return TryReadScriptFile(options.input_path, doc, standard_input);
}

// FILE:LINE: message, the way editors and compilers point at a line.
std::string LoadFailure(const DxsimOptions& options, const ScriptFileLoad& load) {
  std::string where = options.input_path;
  if (load.error_line > 0) where += ":" + std::to_string(load.error_line);
  return where + ": " + FullStopMessage(*load.error);
}

bool NamesDxsFile(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ending = path.substr(path.size() - 4);
  for (char& c : ending) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ending == ".dxs";
}

const char* OutcomeText(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::NotStarted: return "RunNotStarted";
    case RunOutcome::Ended: return "RunEnded";
    case RunOutcome::LineBoundReached: return "LineBoundReached";
  }
  return "?";
}

}  // namespace

namespace {

const char* EndingWords(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::Ended: return "end";
    case RunOutcome::LineBoundReached: return "...";
    case RunOutcome::NotStarted: return "not started";
  }
  return "?";
}

int ExitStatusOf(RunOutcome outcome) { return outcome == RunOutcome::LineBoundReached ? kExitLineBound : 0; }

// --words: the whole run as one "=>" line, in the manual's words.
int RunInManualWords(SimMainWindow& window, SimPlatform& platform, SimLog& log, const DxsimOptions& options,
                     const RunOptions& run_options, std::ostream& out) {
  log.SetKeeping(true);
  std::string ending;
  int status = kExitRunFailed;
  try {
    const RunOutcome outcome = StartRun(window, platform, run_options);
    ending = EndingWords(outcome);
    status = ExitStatusOf(outcome);
  } catch (const ScriptError& e) {
    ending = "error " + FullStopMessage(e.what());
  }
  out << "=> " << RunInWords(log.Events(), ending, options.screen_width, options.screen_height) << '\n';
  return status;
}

}  // namespace

int RunScriptFile(const DxsimOptions& options, std::ostream& out) {
  NativeFileSystem files;
  ScriptDocument doc;
  if (const ScriptFileLoad load = ReadInput(options, files, doc); load.error) {
    out << "LoadFailed " << LoadFailure(options, load) << '\n';
    return kExitFileFailed;
  }
  SimLog log;
  SimMainWindow window(log);
  TimedPixelPlatform platform(log, options.timed_pixels, options.tick_start);
  if (std::string error = LoadScreen(options, files, platform); !error.empty()) {
    out << "ScreenImageError " << error << '\n';
    return kExitFileFailed;
  }
  window.SetDocument(doc);
  window.SetTargetWindowText(options.window_text);
  RunOptions run_options;
  run_options.MaxLines = options.max_lines;
  if (options.words) return RunInManualWords(window, platform, log, options, run_options, out);

  EventPrinter printer(out, options.screen_width, options.screen_height);
  log.SetKeeping(false);
  log.SetListener([&](const SimEvent& e) { printer.Print(e); });
  try {
    const RunOutcome outcome = StartRun(window, platform, run_options);
    printer.Flush();
    out << OutcomeText(outcome);
    if (outcome == RunOutcome::LineBoundReached) {
      out << " after " << options.max_lines << " lines (--max-lines N changes the bound, 0 removes it)";
    }
    out << '\n';
    return ExitStatusOf(outcome);
  } catch (const ScriptError& e) {
    printer.Flush();
    PrintErrorBox(out, e.what());
    return kExitRunFailed;
  }
}

int ResaveScriptFile(const DxsimOptions& options, std::ostream& out) {
  NativeFileSystem files;
  ScriptDocument doc;
  // The strict reading: a file that would lose lines is not written.
  if (const ScriptFileLoad load = ReadInput(options, files, doc); load.error) {
    out << "LoadFailed " << LoadFailure(options, load) << '\n';
    return kExitFileFailed;
  }
  try {
    if (NamesDxsFile(options.output_path)) {
      WriteScriptFile(doc, options.output_path, files);
    } else {
      WritePlainScriptFile(doc, options.output_path, files);
    }
  } catch (const ScriptError& e) {
    PrintErrorBox(out, e.what());
    return kExitFileFailed;
  }
  return 0;
}

int CheckScriptFile(const DxsimOptions& options, std::ostream& out) {
  NativeFileSystem files;
  ScriptDocument doc;
  const ScriptFileLoad load = ReadInput(options, files, doc);
  const ScriptFileLines& lines = load.lines;
  if (load.error) {
    const int column = load.error_line > 0 ? 1 : 0;
    PrintDiagnostics(options, {{load.error_line, column, check::Rule::UnreadableFile, FullStopMessage(*load.error), {}}},
                     out);
    return kExitFileFailed;
  }
  check::CheckOptions check_options;
  check_options.screen = {options.screen_width, options.screen_height};
  check_options.first_line = lines.first_code_line;
  std::vector<check::Diagnostic> diagnostics = check::CheckScript(doc, check_options);
  // Editors, grep -n and compilers count the lines of the whole file.
  for (check::Diagnostic& d : diagnostics) {
    if (d.line > 0) d.line = lines.FileLineOfCode(d.line - 1);
  }
  PrintDiagnostics(options, diagnostics, out);
  const check::Counts counts = check::CountOf(diagnostics);
  return counts.errors > 0 || (options.werror && counts.warnings > 0) ? kExitRunFailed : 0;
}

}  // namespace dx
