// Linked into a test build of the program in place of the real platform:
// the system refuses the third record the program sends, as it does on a
// locked screen or toward a window with higher rights. Wine refuses
// nothing, so this is how the program's answer to a refusal is seen.
#include "platform/win32_engine_platform.h"

namespace dx::win {
namespace {

constexpr int kRefusedRecord = 3;

class RefusingPlatform final : public EnginePlatform {
 public:
  explicit RefusingPlatform(HWND mainWindow) : real_(mainWindow) {}

  bool SendInput(const InputRecord& record) override {
    return ++sent_ == kRefusedRecord ? false : real_.SendInput(record);
  }
  uint16_t KeyScanCode(uint8_t vk) override { return real_.KeyScanCode(vk); }
  bool HasHigherRights(uint32_t handle) override { return real_.HasHigherRights(handle); }
  int ScreenWidth() override { return real_.ScreenWidth(); }
  int ScreenHeight() override { return real_.ScreenHeight(); }
  uint32_t ReadScreenPixel(int32_t x, int32_t y) override { return real_.ReadScreenPixel(x, y); }
  uint64_t TickCount() override { return real_.TickCount(); }
  void Beep() override { real_.Beep(); }
  void MakeMainWindowNotTopmost() override { real_.MakeMainWindowNotTopmost(); }
  void SetForegroundWindow(uint32_t handle) override { real_.SetForegroundWindow(handle); }

 private:
  Win32EnginePlatform real_;
  int sent_ = 0;
};

}  // namespace

std::unique_ptr<EnginePlatform> MakeEnginePlatform(HWND mainWindow) {
  return std::make_unique<RefusingPlatform>(mainWindow);
}

}  // namespace dx::win
