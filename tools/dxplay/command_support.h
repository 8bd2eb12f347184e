// The pieces every dxplay command uses: its messages, the display with the
// stop signals and the handler of its loss, and the script's load.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/file_system.h"
#include "scriptfile/script_document.h"
#include "scriptfile/script_file.h"

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

// The script read into `doc`; prints the load's message when it fails.
std::optional<ScriptFileLines> Load(const std::string& path, ScriptDocument& doc, FileSystem& files);

// `otherwise`, or 128 + the stop signal that arrived.
int StatusAfterSignal(int otherwise);

}  // namespace dx
