// What dxplay's commands share whichever backend they play on: messages
// that clear the status line first, prompts for a terminal, the X display
// with the stop signals and the handler of its loss, loading the script,
// the exit status after a stop signal, and playing a loaded script on a
// platform.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "engine/host.h"
#include "player/dxplay_options.h"
#include "scriptfile/script_document.h"
#include "scriptfile/script_file.h"
#include "tools/dxplay/run_events.h"

using Display = struct _XDisplay;

namespace dx {

// A message on standard error (the status line cleared first).
void Error(std::string_view message);
// Prompts and results, for a user at a terminal.
void Say(std::string_view message, bool quiet = false);

struct DisplayCloser {
  void operator()(Display* d) const;
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Installs the stop signals and the handler of a lost server, then opens
// the display; null after printing why it cannot be opened.
DisplayPtr Open();
// Called, when set, as the server goes away, before the process ends.
extern void (*g_before_display_lost)();

// The script read into `doc`; prints the load's message when it fails,
// as FILE:LINE: message when it is about a line.
std::optional<ScriptFileLines> Load(const std::string& path, ScriptDocument& doc, FileSystem& files);

// `otherwise` when no stop signal came, or when it was the stop request of
// `dxplay stop` (which ends a run as its stop key does); else the signal's.
int StatusAfterSignal(int otherwise);

// What ends a run besides its lines, thrown from a platform's hooks: the
// target refusing the focus before the first line, and the target closing
// before a press.
struct FocusRefused {};
struct TargetClosed {};

// Plays the script from its first line on `platform`, showing the status
// line unless --quiet; the exit status (a stop by the stop key or by
// `dxplay stop` has its own).
int PlayScript(const DxplayOptions& o, const ScriptDocument& doc, ScriptFileLines lines, std::string entry,
               EnginePlatform& platform, RunEvents& events);

}  // namespace dx
