// The two narrow doors through which the engine reaches the world:
//  - MainWindow: the live state of the tool's main window (code editor,
//    slots, target field, status bar, shared flags), told of every change
//    of the run's phase (engine/run_control.h starts and stops runs);
//  - EnginePlatform: the operating-system calls a run makes.
// The Windows program implements both over real controls and Win32 calls;
// tests and the simulator implement them in memory. Nothing here may pull in
// a platform header.
//
// Texts: document texts (editor lines, slots, EditWin) are the single-byte
// characters of the machine's ANSI code page, passed through unchanged.
// Texts that the program itself shows (status texts, captions, messages) are
// UTF-8; the Windows side converts them for display.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/slot_counts.h"
#include "engine/input_record.h"

namespace dx {

// The screen a host without a real one assumes (the simulator), and the one
// the checker measures literal positions against when nobody names one.
inline constexpr int kDefaultScreenWidth = 1024;
inline constexpr int kDefaultScreenHeight = 768;
// What EnginePlatform::ReadScreenPixel gives outside the screen, as the
// system's pixel read does.
inline constexpr uint32_t kOffScreenColour = 0xFFFFFFFF;

// Where a run stands. Running: lines are being run. Stopping: a stop was
// asked for and the run ends after its current line. A run is on the stack
// in both; a start is refused until the phase is Idle again.
enum class RunPhase { Idle, Running, Stopping };

// The main window's flags that a run reads and writes.
struct MainWindowFields {
  // Set by a stop request, the stop hot key, ENDSCRIPT or closing the
  // window; the run ends after its current line.
  bool StopRequested = false;
  // Written only by the run's door (engine/run_control.h).
  RunPhase Phase = RunPhase::Idle;
};

class MainWindow {
 public:
  virtual ~MainWindow() = default;

  virtual MainWindowFields& Fields() = 0;

  // The code editor, with the semantics of a multi-line edit control:
  // line breaks are CR LF; the raw line count is at least 1 and counts an
  // empty last line (the text "" has 1 line, "a\r\n" has 2).
  virtual int EditorLineCount() = 0;
  // Line i (0-based) without its line break; "" when i is out of range.
  virtual std::string EditorLine(int index) = 0;
  // Selects `length` characters from `start`; the editor clips the
  // selection to the end of its text and scrolls it into view.
  virtual void SelectInEditor(int start, int length) = 0;
  // The length of the selection the editor actually holds.
  virtual int EditorSelectionLength() = 0;
  // Shows the selection last set now. An editor may show a selection up to
  // a display frame late; the run asks for it at its end, so that the line
  // it ended on (a failing line too) stays highlighted.
  virtual void ShowEditorSelection() {}

  // Slot texts, read live: n is 1..kLocationSlotCount for locations,
  // 1..kKeySlotCount for keys (base/slot_counts.h).
  virtual std::string LocationXText(int n) = 0;
  virtual std::string LocationYText(int n) = 0;
  virtual std::string KeySlotText(int n) = 0;
  // The text of EditWin.
  virtual std::string TargetWindowText() = 0;

  virtual void SetStatusText(std::string_view utf8) = 0;
  // Called after every change of Fields().Phase, for a window that shows
  // whether a run goes on (a go/stop button, for one).
  virtual void RunPhaseChanged(RunPhase phase) { (void)phase; }

  // A plain message box (no icon, OK, the application title as caption).
  virtual void ShowPlainMessage(std::string_view utf8) = 0;

  // Lets the window system deliver all pending messages; handlers of the
  // main window run nested inside this call.
  virtual void DeliverMessages() = 0;
  // Lets messages arrive for up to wait_ms, delivering them; returns early
  // once one has been delivered. A host that cannot wait delivers what is
  // pending and returns at once, and the caller asks again.
  virtual void DeliverMessagesWaiting(uint64_t wait_ms) {
    (void)wait_ms;
    DeliverMessages();
  }
  // True once the application has been asked to end (its main window was
  // closed); stays true.
  virtual bool ApplicationTerminating() = 0;
};

class EnginePlatform {
 public:
  virtual ~EnginePlatform() = default;

  // Injects one record (nInputs 1). False when the system inserted
  // nothing (it refuses input to a locked desktop, for instance).
  virtual bool SendInput(const InputRecord& record) = 0;
  // The scan code of a virtual-key code (0..255) in the keyboard layout
  // that keys go to now, without the extended prefix (a real keyboard's
  // make code, e.g. 0x1E for A, 0x4B for Left); 0 when the layout has no
  // such key. Hosts without a layout of their own give UsLayoutScanCode.
  // Asked for every key record; must not fail.
  virtual uint16_t KeyScanCode(uint8_t vk) = 0;
  // True when the window with this handle value belongs to a process that
  // runs with higher rights than this one, so that the system would refuse
  // input to it; false when not, or when that cannot be told.
  virtual bool HasHigherRights(uint32_t handle) = 0;
  // Primary screen size in pixels, asked on every move.
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
  // Colour of a screen pixel (red in bits 0-7), or kOffScreenColour outside
  // the screen: screen DC, pixel read, DC released.
  virtual uint32_t ReadScreenPixel(int32_t x, int32_t y) = 0;
  // Milliseconds since some fixed start; 64 bits, so it never wraps.
  virtual uint64_t TickCount() = 0;
  // The system's default beep; returns at once.
  virtual void Beep() = 0;
  // Takes the main window out of the topmost band (no move, no size).
  virtual void MakeMainWindowNotTopmost() = 0;
  // Brings the window with this 32-bit handle value to the foreground.
  virtual void SetForegroundWindow(uint32_t handle) = 0;
  // True when DELAY 0 waits until the tick counter moves (the Windows
  // program's rule: its coarse counter makes that a yield of up to one
  // tick); a host whose counter moves every millisecond may return at
  // once after one delivery instead.
  virtual bool ZeroDelayWaitsForTick() { return true; }
};

}  // namespace dx
