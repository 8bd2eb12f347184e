#include "tools/dxplay/dxplay_main_window.h"

#include "texts/program_texts.h"
#include "tools/dxplay/messages.h"
#include "x11/x11_engine_platform.h"

namespace dx {
namespace {

// How often the per-line step looks at the X connection and the signals.
constexpr uint64_t kPollIntervalMs = 1;

}  // namespace

DxplayMainWindow::DxplayMainWindow(const ScriptDocument& document, ScriptFileLines file_lines,
                                   std::string target_entry, EventLoop& events, StatusLine& status)
    : document_(document),
      file_lines_(file_lines),
      target_entry_(std::move(target_entry)),
      events_(events),
      status_(status) {
  lines_.Assign(EditTextFromLines(document.code));
  go_caption_ = std::string(kCaptionGo);
}

void DxplayMainWindow::SelectInEditor(int start, int length) {
  selection_ = ClippedSelection(start, length, static_cast<int>(lines_.Text().size()));
}

void DxplayMainWindow::ShowEditorSelection() {
  if (status_.Enabled()) DrawStatus(x11::MonotonicMilliseconds());
}

std::string DxplayMainWindow::LocationXText(int n) {
  return IsLocationSlot(n) ? document_.locations[static_cast<std::size_t>(n - 1)].x : std::string();
}

std::string DxplayMainWindow::LocationYText(int n) {
  return IsLocationSlot(n) ? document_.locations[static_cast<std::size_t>(n - 1)].y : std::string();
}

std::string DxplayMainWindow::KeySlotText(int n) {
  return IsKeySlot(n) ? document_.keys[static_cast<std::size_t>(n - 1)] : std::string();
}

void DxplayMainWindow::ShowPlainMessage(std::string_view utf8) {
  status_.Clear();
  PrintError(utf8);
}

int DxplayMainWindow::CurrentFileLine() const {
  return file_lines_.FileLineOfCode(lines_.LineOfOffset(selection_.start));
}

void DxplayMainWindow::DrawStatus(uint64_t now_ms) {
  const int index = lines_.LineOfOffset(selection_.start);
  status_.Draw(file_lines_.FileLineOfCode(index), lines_.Line(index), now_ms);
}

void DxplayMainWindow::Poll(uint64_t wait_ms, uint64_t now_ms) {
  polled_ms_ = now_ms;
  if (events_.Deliver(wait_ms)) fields_.StopRequested = true;
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
