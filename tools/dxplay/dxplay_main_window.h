// The main window of a dxplay run: the document window with the target's
// window entry, and the message step that reads the stop key and the stop
// signals. The per-line step is cheap: it looks at the X connection only
// when a millisecond has passed, and waits only when the engine waits.
#pragma once

#include <string>

#include "player/document_window.h"
#include "player/status_line.h"
#include "scriptfile/script_document.h"
#include "scriptfile/script_file.h"
#include "tools/dxplay/event_loop.h"

namespace dx {

class DxplayMainWindow final : public DocumentWindow {
 public:
  DxplayMainWindow(const ScriptDocument& document, ScriptFileLines file_lines, std::string target_entry,
                   EventLoop& events, StatusLine& status);

  void ShowEditorSelection() override;
  void ShowPlainMessage(std::string_view utf8) override;
  void DeliverMessages() override;
  void DeliverMessagesWaiting(uint64_t wait_ms) override;
  bool ApplicationTerminating() override { return false; }

  // The file line of the line the run highlighted last.
  int CurrentFileLine() const;

 private:
  void Poll(uint64_t wait_ms, uint64_t now_ms);
  void DrawStatus(uint64_t now_ms);

  ScriptFileLines file_lines_;
  EventLoop& events_;
  // The status bar's texts are the Windows program's; the status line shows
  // the running line instead.
  StatusLine& status_;
  uint64_t polled_ms_ = 0;
};

}  // namespace dx
