#include "tools/dxplay/dxplay_main_window.h"

#include "engine/run_control.h"
#include "player/messages.h"
#include "x11/x11_engine_platform.h"

namespace dx {
namespace {

// How often the per-line step looks at the X connection and the signals.
constexpr uint64_t kPollIntervalMs = 1;

}  // namespace

DxplayMainWindow::DxplayMainWindow(const ScriptDocument& document, ScriptFileLines file_lines,
                                   std::string target_entry, EventLoop& events, StatusLine& status)
    : file_lines_(file_lines), events_(events), status_(status) {
  SetDocument(document);
  SetTargetWindowText(std::move(target_entry));
}

void DxplayMainWindow::ShowEditorSelection() {
  if (status_.Enabled()) DrawStatus(x11::MonotonicMilliseconds());
}

void DxplayMainWindow::ShowPlainMessage(std::string_view utf8) {
  status_.Clear();
  PrintError(utf8);
}

int DxplayMainWindow::CurrentFileLine() const { return file_lines_.FileLineOfCode(SelectedLine()); }

void DxplayMainWindow::DrawStatus(uint64_t now_ms) {
  const int index = SelectedLine();
  status_.Draw(file_lines_.FileLineOfCode(index), LineText(index), now_ms);
}

void DxplayMainWindow::Poll(uint64_t wait_ms, uint64_t now_ms) {
  polled_ms_ = now_ms;
  if (events_.Deliver(wait_ms)) RequestStop(*this);
}

void DxplayMainWindow::DeliverMessages() {
  const uint64_t now = x11::MonotonicMilliseconds();
  if (now - polled_ms_ >= kPollIntervalMs) Poll(0, now);
  if (status_.Due(now)) DrawStatus(now);
}

void DxplayMainWindow::DeliverMessagesWaiting(uint64_t wait_ms) {
  const uint64_t now = x11::MonotonicMilliseconds();
  Poll(wait_ms, now);
  if (status_.Due(now)) DrawStatus(now);
}

}  // namespace dx
