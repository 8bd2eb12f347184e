// The main window of a dxplay run: the loaded document in memory (its code
// lines joined with CR LF, as the code page holds them), the target's
// window entry, and the message step that reads the stop key and the stop
// signals. The per-line step is cheap: it looks at the X connection only
// when a millisecond has passed, and waits only when the engine waits.
#pragma once

#include <string>

#include "base/crlf_lines.h"
#include "engine/host.h"
#include "scriptfile/script_document.h"
#include "scriptfile/script_file.h"
#include "tools/dxplay/event_loop.h"
#include "tools/dxplay/status_line.h"

namespace dx {

class DxplayMainWindow final : public MainWindow {
 public:
  DxplayMainWindow(const ScriptDocument& document, ScriptFileLines file_lines, std::string target_entry,
                   EventLoop& events, StatusLine& status);

  MainWindowFields& Fields() override { return fields_; }
  int EditorLineCount() override { return lines_.RawLineCount(); }
  std::string EditorLine(int index) override { return std::string(lines_.Line(index)); }
  void SelectInEditor(int start, int length) override;
  int EditorSelectionLength() override { return selection_.end - selection_.start; }
  void ShowEditorSelection() override;
  std::string LocationXText(int n) override;
  std::string LocationYText(int n) override;
  std::string KeySlotText(int n) override;
  std::string TargetWindowText() override { return target_entry_; }
  // The status bar's texts are the Windows program's; the status line shows
  // the running line instead.
  void SetStatusText(std::string_view) override {}
  std::string GoCaption() override { return go_caption_; }
  void SetGoCaption(std::string_view caption) override { go_caption_ = std::string(caption); }
  void ShowPlainMessage(std::string_view utf8) override;
  void DeliverMessages() override;
  void DeliverMessagesWaiting(uint64_t wait_ms) override;
  bool ApplicationTerminating() override { return false; }

  // The file line of the line the run highlighted last.
  int CurrentFileLine() const;

 private:
  void Poll(uint64_t wait_ms, uint64_t now_ms);
  void DrawStatus(uint64_t now_ms);

  const ScriptDocument& document_;
  ScriptFileLines file_lines_;
  std::string target_entry_;
  EventLoop& events_;
  StatusLine& status_;
  MainWindowFields fields_;
  LineIndex lines_;
  Selection selection_;
  std::string go_caption_ = "go";
  uint64_t polled_ms_ = 0;
};

}  // namespace dx
