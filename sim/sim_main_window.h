// The simulated main window of the Windows program, for tests and dxsim: the
// document window, with its go/stop button, message delivery and message
// boxes, each step written to the log as the program would take it.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/go_button.h"
#include "player/document_window.h"
#include "sim/sim_defaults.h"
#include "sim/sim_log.h"
#include "texts/program_texts.h"

namespace dx {

class SimMainWindow : public DocumentWindow, public GoButton {
 public:
  explicit SimMainWindow(SimLog& log) : log_(log) { SetTargetWindowText(std::string(sim_defaults::kTargetWindow)); }

  // MainWindow.
  void SelectInEditor(int start, int length) override;
  void SetStatusText(std::string_view utf8) override;
  void RunPhaseChanged(RunPhase phase) override { FollowRunPhase(*this, phase); }
  void ShowPlainMessage(std::string_view utf8) override;
  void DeliverMessages() override;
  bool ApplicationTerminating() override { return terminating_; }

  // The go/stop button.
  std::string GoCaption() override { return go_caption_; }
  void SetGoCaption(std::string_view caption) override;

  // A click on the go/stop button, as the user makes it.
  RunOutcome ClickGo(EnginePlatform& platform, const RunOptions& options = {}) { return Click(*this, platform, options); }

  // Set-up and inspection.
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
  std::string go_caption_{kCaptionGo};
  std::vector<std::string> messages_;
  bool terminating_ = false;
  int64_t deliveries_ = 0;
  std::multimap<int64_t, std::function<void()>> delivery_actions_;
  std::function<void(int64_t)> every_delivery_;
};

}  // namespace dx
