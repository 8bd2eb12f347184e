// The one description of every control of the main window and the window
// picker. The window code builds the controls by walking this table, and the
// end-to-end driver reads the same table to find controls and check them, so
// nothing here may pull in a platform header.
//
// Window classes: the main window is registered as "TFormMain", the picker
// as "TFormWin" (see kMainWindowClass, kPickerWindowClass).
//
// How a control is found: every control is a window whose control id
// (GetDlgCtrlID) is its `id` below; ids are unique over both windows. The
// controls are nested (page -> group box -> control), so search with
// EnumChildWindows, not GetDlgItem on the top-level window.
//
// How a place is measured: `left`, `top` are the position of the control's
// window rectangle relative to the CLIENT AREA of the window named by
// `parent` (MapWindowPoints of GetWindowRect into that parent's client);
// `width`, `height` are the control's outer window size. All values are
// pixels at 96 dots per inch; at another DPI (the monitor's the window is
// on) the program multiplies each by dpi / 96 (MulDiv, rounded) — see
// Scaled().
//
// Values that the program changes at run time carry a flag saying so:
//   kFillParent     the control covers its parent's whole client area (a page
//                   covers the display area of TabMain); the numbers are the
//                   values at the start size 300 x 330.
//   kAlignBottom    the bottom edge is kept at the bottom of the parent's
//                   client area minus `bottomInset`, `left` from both sides;
//                   with kStretchHeight (MemoNotes) FormResize sets the height
//                   (outer height - 194), else the control keeps its height
//                   (the status bar, the help label).
//   kRightAnchored  BGO: left = outer window width - width - 8 on every
//                   resize (259 at the start width 300, 359 at 400).
//   kAutoWidth      a label whose width follows its text; only left, top and
//                   the height (13) are fixed.
//
// Texts: `caption` is the text a control shows once the program has started
// (a page's tab text, a label's or button's caption, an edit's initial
// text), UTF-8. Document texts start empty except Memo ("endscript").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/slot_counts.h"

namespace dx::layout {

inline constexpr char kMainWindowClass[] = "TFormMain";
inline constexpr char kPickerWindowClass[] = "TFormWin";
inline constexpr char kMainWindowCaption[] = "Dorvaxil";
inline constexpr char kPickerCaption[] = "Select window";
// The window of the script check, outside the table: it is no part of the
// main window's layout. Its one control, the list of findings, has the id
// IdListFindings.
inline constexpr char kCheckWindowClass[] = "TFormCheck";

// Main window outer size at start and its minimum, 96-DPI pixels.
inline constexpr int kMainStartWidth = 300;
inline constexpr int kMainStartHeight = 330;
inline constexpr int kMainMinWidth = 300;
inline constexpr int kMainMinHeight = 250;
// Picker client area.
inline constexpr int kPickerClientWidth = 250;
inline constexpr int kPickerClientHeight = 289;
// Height of the status bar and of a one-line label; height of a list entry.
inline constexpr int kStatusBarHeight = 19;
inline constexpr int kLabelHeight = 13;
inline constexpr int kListEntryHeight = 13;
// Font of every control: "MS Sans Serif", character height 11 pixels.
inline constexpr char kFontFace[] = "MS Sans Serif";
inline constexpr int kFontHeight = 11;

// Control ids. Families are consecutive: slot n (1-based) of a family has
// the family's first id + n - 1 (see the *Id helpers). Ids 1 and 2 (the
// dialog OK/Cancel commands) are never used by a control.
enum ControlId : int {
  // Main window frame.
  IdTabMain = 100,
  IdSBar,
  IdBGO,
  // Pages, in tab order.
  IdPageMain,
  IdPageLocations,
  IdPageKeys,
  IdPageCode,
  IdPageHelp,
  // Page "main".
  IdGroupBox1,
  IdLabelScript,
  IdEditScript,
  IdSBScriptSave,
  IdSBScriptLoad,
  IdLabelWin,
  IdEditWin,
  IdSBWin,
  IdLabelStop,
  IdEditStopKey,
  IdCheckAlt,
  IdCheckCtrl,
  IdCheckShift,
  IdButton2,
  IdLabelNotes,
  IdMemoNotes,
  // Page "code".
  IdMemo,
  // Page "help".
  IdButton1,
  IdLabelHelp1,
  IdLabelHelp2,
  IdLabelLocalisation,
  // Picker.
  IdListWin,
  IdBOK,
  IdObnovit,
  // The script check's window (no row of the table).
  IdListFindings,
  // Page "locations": "#n" labels, x edits, y edits, picture buttons.
  IdLocationLabel1 = 1000,
  IdPx1 = 1100,
  IdPy1 = 1200,
  IdSB1 = 1300,
  // Page "keys": "#n" labels and key edits.
  IdKeyLabel1 = 1400,
  IdKey1 = 1500,
};

constexpr int PxId(int n) { return IdPx1 + n - 1; }
constexpr int PyId(int n) { return IdPy1 + n - 1; }
constexpr int SBId(int n) { return IdSB1 + n - 1; }
constexpr int KeyId(int n) { return IdKey1 + n - 1; }
constexpr int LocationLabelId(int n) { return IdLocationLabel1 + n - 1; }
constexpr int KeyLabelId(int n) { return IdKeyLabel1 + n - 1; }

enum class Kind {
  TabControl,     // "SysTabControl32"
  StatusBar,      // "msctls_statusbar32", one simple panel
  Page,           // a container window of the program's own class
  GroupBox,       // "Button", BS_GROUPBOX
  Label,          // "Static"
  Edit,           // "Edit", one line
  Memo,           // "Edit", ES_MULTILINE
  CheckBox,       // "Button", BS_AUTOCHECKBOX
  PushButton,     // "Button", BS_PUSHBUTTON / BS_DEFPUSHBUTTON
  PictureButton,  // "Button", flat, owner-drawn picture
  ListBox,        // "ListBox", LBS_NOTIFY, one selection
};

// The window whose client area a control's place is relative to.
enum class Parent {
  MainWindow,  // the TFormMain client area
  TabMain,     // the notebook (pages only)
  Page,        // the control's page
  GroupBox1,   // the group box on page "main"
  Picker,      // the TFormWin client area
};

enum class Page { None, Main, Locations, Keys, Code, Help };

enum Flag : uint32_t {
  kReadOnly = 1u << 0,       // edits the user cannot type into
  kTabStop = 1u << 1,        // takes part in Tab-key navigation
  kChecked = 1u << 2,        // check box checked at start
  kDefaultButton = 1u << 3,  // pressed by Enter in its window
  kWantTab = 1u << 4,        // memo that takes Tab characters
  kScrollBars = 1u << 5,     // memo with both scroll bars, no wrapping
  kNoHideSel = 1u << 6,      // selection stays visible without the focus
  kFillParent = 1u << 7,
  kAlignBottom = 1u << 8,
  kRightAnchored = 1u << 9,
  kAutoWidth = 1u << 10,
  kWordWrap = 1u << 11,      // memo without horizontal scrolling
  kStretchHeight = 1u << 12,  // with kAlignBottom: the height follows the window's
};

enum class Picture { None, Save, Load, WindowFlag };

// One row per control, written with named fields; what a row leaves out is
// the default below.
struct ControlRow {
  int id = 0;
  std::string name{};
  Kind kind = Kind::Label;
  Page page = Page::None;
  Parent parent = Parent::MainWindow;
  int left = 0, top = 0, width = 0, height = 0;
  std::string caption{};  // UTF-8; a page's caption is its tab text
  std::string hint{};     // tooltip text; empty: no tooltip
  uint32_t flags = 0;
  Picture picture = Picture::None;
  int bottomInset = 0;  // with kAlignBottom
  bool Has(Flag f) const { return (flags & f) != 0; }
};

// Every control of both windows: frame controls, the pages in tab order,
// then each page's controls, then the picker's controls in tab order.
const std::vector<ControlRow>& Controls();

// The control with this name or id; nullptr when there is none.
const ControlRow* FindControl(std::string_view name);
const ControlRow* FindControl(int id);

// The tab texts, in order.
inline constexpr const char* kPageCaptions[] = {"main", "locations", "keys", "code", "help"};

// FormResize: MemoNotes' height and BGO's left for an outer window size,
// both in pixels at `dpi`.
int MemoNotesHeightFor(int outerHeight, int dpi = 96);
int GoButtonLeftFor(int outerWidth, int dpi = 96);

// A 96-DPI value at the given DPI.
int Scaled(int value, int dpi);

}  // namespace dx::layout
