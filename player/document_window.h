// The main window of a host without one of its own (a player, the
// simulator): the document in memory. Its code editor behaves like the
// Windows program's multi-line edit control: CR LF line breaks, a raw line
// count that counts an empty last line, and a selection clipped to the end
// of the text and read back. Line queries are O(1): the line-start index is
// rebuilt whenever the text changes. A host adds its message delivery, its
// messages and what it shows of the run.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/crlf_lines.h"
#include "base/slot_counts.h"
#include "engine/host.h"
#include "scriptfile/script_document.h"

namespace dx {

class DocumentWindow : public MainWindow {
 public:
  MainWindowFields& Fields() override { return fields_; }
  int EditorLineCount() override { return lines_.RawLineCount(); }
  std::string EditorLine(int index) override { return std::string(lines_.Line(index)); }
  void SelectInEditor(int start, int length) override;
  int EditorSelectionLength() override { return selection_.end - selection_.start; }
  std::string LocationXText(int n) override;
  std::string LocationYText(int n) override;
  std::string KeySlotText(int n) override;
  std::string TargetWindowText() override { return target_window_; }
  void SetStatusText(std::string_view utf8) override { status_ = std::string(utf8); }

  // The document's code lines and slots, as the window's controls hold them.
  void SetDocument(const ScriptDocument& document);
  void SetEditorText(std::string text);
  void SetCodeLines(const std::vector<std::string>& lines);
  void SetLocation(int n, std::string x, std::string y);
  void SetKeySlot(int n, std::string text);
  void SetTargetWindowText(std::string text) { target_window_ = std::move(text); }

  const std::string& EditorText() const { return lines_.Text(); }
  int SelectionStart() const { return selection_.start; }
  // The editor line the selection starts on, and its text.
  int SelectedLine() const { return lines_.LineOfOffset(selection_.start); }
  std::string_view LineText(int index) const { return lines_.Line(index); }
  const std::string& StatusText() const { return status_; }

 private:
  MainWindowFields fields_;
  LineIndex lines_;  // the editor's text
  Selection selection_;
  std::array<std::string, kLocationSlotCount> location_x_;
  std::array<std::string, kLocationSlotCount> location_y_;
  std::array<std::string, kKeySlotCount> keys_;
  std::string target_window_;
  std::string status_;
};

}  // namespace dx
