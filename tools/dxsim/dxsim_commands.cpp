#include "tools/dxsim/dxsim_commands.h"

#include <optional>
#include <string>

#include "checker/check_script.h"
#include "checker/report.h"
#include "engine/run_control.h"
#include "base/script_error.h"
#include "base/file_system.h"
#include "scriptfile/script_file.h"
#include "sim/sim_main_window.h"
#include "sim/sim_platform.h"
#include "tools/dxsim/dxsim_exit_statuses.h"
#include "tools/dxsim/event_printer.h"

namespace dx {
namespace {

using dxsim::kExitFileFailed;
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

// The input script into `doc` and where its code stands in the file; the
// message of what went wrong, if anything.
std::optional<std::string> ReadInput(const DxsimOptions& options, FileSystem& files, ScriptDocument& doc,
                                     ScriptFileLines* lines = nullptr) {
  ScriptFileLoad load = TryReadScriptFile(options.input_path, doc, files);
  if (lines != nullptr) *lines = load.lines;
  return load.error;
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

int RunScriptFile(const DxsimOptions& options, std::ostream& out) {
  NativeFileSystem files;
  ScriptDocument doc;
  if (const auto error = ReadInput(options, files, doc)) {
    PrintErrorBox(out, *error);
    return kExitFileFailed;
  }
  SimLog log;
  SimMainWindow window(log);
  SimPlatform platform(log);
  if (std::string error = LoadScreen(options, files, platform); !error.empty()) {
    out << "ScreenImageError " << error << '\n';
    return kExitFileFailed;
  }
  window.SetDocument(doc);
  window.SetTargetWindowText(options.window_text);

  EventPrinter printer(out, options.screen_width, options.screen_height);
  log.SetKeeping(false);
  log.SetListener([&](const SimEvent& e) { printer.Print(e); });
  RunOptions run_options;
  run_options.MaxLines = options.max_lines;
  try {
    const RunOutcome outcome = StartRun(window, platform, run_options);
    printer.Flush();
    out << OutcomeText(outcome);
    if (outcome == RunOutcome::LineBoundReached) {
      out << " after " << options.max_lines << " lines (--max-lines N changes the bound, 0 removes it)";
    }
    out << '\n';
    return 0;
  } catch (const ScriptError& e) {
    printer.Flush();
    PrintErrorBox(out, e.what());
    return kExitRunFailed;
  }
}

int ResaveScriptFile(const DxsimOptions& options, std::ostream& out) {
  NativeFileSystem files;
  ScriptDocument doc;
  try {
    ReadScriptFile(options.input_path, doc, files);
    WriteScriptFile(doc, options.output_path, files);
  } catch (const ScriptError& e) {
    PrintErrorBox(out, e.what());
    return kExitFileFailed;
  }
  return 0;
}

int CheckScriptFile(const DxsimOptions& options, std::ostream& out) {
  NativeFileSystem files;
  ScriptDocument doc;
  ScriptFileLines lines;
  if (const auto error = ReadInput(options, files, doc, &lines)) {
    PrintDiagnostics(options, {{0, 0, check::Rule::UnreadableFile, FullStopMessage(*error), {}}}, out);
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
