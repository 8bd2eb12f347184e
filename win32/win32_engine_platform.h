// The operating-system calls of a run, made with Win32.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "engine/host.h"

namespace dx::win {

// The native INPUT of this build for one engine record: the record's type
// picks which view of its bytes is used; the pointer-sized extra info is
// widened from its 32 bits.
INPUT NativeInputFromRecord(const InputRecord& record);

// Not final: the end-to-end build that refuses input derives from it.
class Win32EnginePlatform : public EnginePlatform {
 public:
  explicit Win32EnginePlatform(HWND mainWindow) : mainWindow_(mainWindow) {}

  bool SendInput(const InputRecord& record) override;
  uint16_t KeyScanCode(uint8_t vk) override;
  bool HasHigherRights(uint32_t handle) override;
  int ScreenWidth() override;
  int ScreenHeight() override;
  uint32_t ReadScreenPixel(int32_t x, int32_t y) override;
  uint64_t TickCount() override;
  void Beep() override;
  void MakeMainWindowNotTopmost() override;
  void SetForegroundWindow(uint32_t handle) override;

 private:
  void ReturnPointerToLastMove();

  HWND mainWindow_;
  std::optional<INPUT> lastMove_;  // the last absolute move sent
  uint64_t lastMoveTick_ = 0;
};

// The platform the program runs with: a Win32EnginePlatform. Defined alone
// in its own file, so that a test build of the program can link a double
// of the system in its place.
std::unique_ptr<EnginePlatform> MakeEnginePlatform(HWND mainWindow);

}  // namespace dx::win
