// Linked into a test build of the program in place of the real platform:
// the system refuses the third record the program sends, as it does on a
// locked screen or toward a window with higher rights. Wine refuses
// nothing, so this is how the program's answer to a refusal is seen.
// Every record asked for is written to "sent.log" in the current folder,
// one line each ("key 41 down", "key 41 up refused", "mouse 0002"): what
// the target sees of the last releases depends on where the focus is by
// then, so the end-to-end test reads what was sent here.
#include <cstdio>

#include "win32/win32_engine_platform.h"

namespace dx::win {
namespace {

constexpr int kRefusedRecord = 3;

// The real platform in every operation but SendInput.
class RefusingPlatform final : public Win32EnginePlatform {
 public:
  explicit RefusingPlatform(HWND mainWindow)
      : Win32EnginePlatform(mainWindow), log_(std::fopen("sent.log", "wb")) {}
  ~RefusingPlatform() override {
    if (log_) std::fclose(log_);
  }
  RefusingPlatform(const RefusingPlatform&) = delete;
  RefusingPlatform& operator=(const RefusingPlatform&) = delete;

  bool SendInput(const InputRecord& record) override {
    const bool refused = ++sent_ == kRefusedRecord;
    Log(record, refused);
    return refused ? false : Win32EnginePlatform::SendInput(record);
  }

 private:
  void Log(const InputRecord& r, bool refused) {
    if (!log_) return;
    if (r.Type() == InputRecord::kTypeKeyboard) {
      std::fprintf(log_, "key %02X %s", r.KeyVk(), (r.KeyFlags() & kKeyUp) ? "up" : "down");
    } else {
      std::fprintf(log_, "mouse %04X", r.MouseFlags());
    }
    std::fprintf(log_, refused ? " refused\n" : "\n");
    std::fflush(log_);
  }

  std::FILE* log_;
  int sent_ = 0;
};

}  // namespace

std::unique_ptr<EnginePlatform> MakeEnginePlatform(HWND mainWindow) {
  return std::make_unique<RefusingPlatform>(mainWindow);
}

}  // namespace dx::win
