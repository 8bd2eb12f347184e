// An in-memory main window for tests and the simulator. Its code editor
// behaves like the real multi-line edit control: CR LF line breaks, a raw
// line count that counts an empty last line, and a selection clipped to the
// end of the text and read back. Line queries are O(1) after the text
// changes once (a line-start index is rebuilt lazily).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/crlf_lines.h"
#include "base/slot_counts.h"
#include "engine/host.h"
#include "sim/sim_defaults.h"
#include "sim/sim_log.h"
#include "texts/program_texts.h"

namespace dx {

class SimMainWindow : public MainWindow {
 public:
  explicit SimMainWindow(SimLog& log) : log_(log) {}

  // MainWindow.
  MainWindowFields& Fields() override { return fields_; }
  int EditorLineCount() override;
  std::string EditorLine(int index) override;
  void SelectInEditor(int start, int length) override;
  int EditorSelectionLength() override { return selection_length_; }
  std::string LocationXText(int n) override;
  std::string LocationYText(int n) override;
  std::string KeySlotText(int n) override;
  std::string TargetWindowText() override { return target_window_; }
  void SetStatusText(std::string_view utf8) override;
  std::string GoCaption() override { return go_caption_; }
  void SetGoCaption(std::string_view caption) override;
  void ShowPlainMessage(std::string_view utf8) override;
  void DeliverMessages() override;
  bool ApplicationTerminating() override { return terminating_; }

  // Set-up and inspection.
  void SetEditorText(std::string text);
  // The document's code lines as the window's code editor shows them.
  void SetCodeLines(const std::vector<std::string>& lines);
  const std::string& EditorText() const { return lines_.Text(); }
  int SelectionStart() const { return selection_start_; }
  void SetLocation(int n, std::string x, std::string y);
  void SetKeySlot(int n, std::string text);
  void SetTargetWindowText(std::string text) { target_window_ = std::move(text); }
  const std::string& StatusText() const { return status_; }
  std::vector<std::string> PlainMessages() const { return messages_; }
  void Terminate() { terminating_ = true; }
  int64_t DeliveryCount() const { return deliveries_; }

  // Runs `action` inside the n-th message delivery (1-based), as a message
  // handler of the real window would run.
  void AtDelivery(int64_t n, std::function<void()> action);
  // Runs `action` inside every delivery, with its number.
  void OnEveryDelivery(std::function<void(int64_t)> action) { every_delivery_ = std::move(action); }

 private:
  SimLog& log_;
  MainWindowFields fields_;
  LineIndex lines_;  // the editor's text
  int selection_start_ = 0;
  int selection_length_ = 0;
  std::array<std::string, kLocationSlotCount> location_x_;
  std::array<std::string, kLocationSlotCount> location_y_;
  std::array<std::string, kKeySlotCount> keys_;
  std::string target_window_{sim_defaults::kTargetWindow};
  std::string status_;
  std::string go_caption_{kCaptionGo};
  std::vector<std::string> messages_;
  bool terminating_ = false;
  int64_t deliveries_ = 0;
  std::multimap<int64_t, std::function<void()>> delivery_actions_;
  std::function<void(int64_t)> every_delivery_;
};

}  // namespace dx
