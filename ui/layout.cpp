#include "ui/layout.h"

#include <algorithm>
#include <string>

#include "base/format_hex.h"
#include "texts/key_combination.h"
#include "texts/program_texts.h"

namespace dx::layout {
namespace {

// Sizes at the start size 300 x 330 with the classic frame (4-pixel sizing
// border, 19-pixel caption): client 292 x 303, notebook 292 x 284 above the
// status bar, page display area 284 x 256 at 4, 24 inside the notebook.
constexpr int kClientWidth = 292;
constexpr int kNotebookHeight = 284;
constexpr int kPageLeft = 4, kPageTop = 24, kPageWidth = 284, kPageHeight = 256;
// The places FormResize works from.
constexpr int kLabelNotesTop = 104;
constexpr int kGoWidth = 33, kGoRightGap = 8;

struct Builder {
  std::vector<ControlRow> rows;

  void Add(ControlRow row) { rows.push_back(std::move(row)); }
  // A label: its size follows its caption.
  void Label(ControlRow row) {
    row.kind = Kind::Label;
    // Width: a rough figure for the 11-pixel font; the real one follows the text.
    row.width = static_cast<int>(row.caption.size()) * 6;
    row.height = kLabelHeight;
    row.flags |= kAutoWidth;
    Add(std::move(row));
  }
  // A flat 23 x 22 button showing `picture`.
  void PictureButton(ControlRow row) {
    row.kind = Kind::PictureButton;
    row.width = 23;
    row.height = 22;
    Add(std::move(row));
  }
};

void AddFrame(Builder& b) {
  b.Add({.id = IdTabMain, .name = "TabMain", .kind = Kind::TabControl, .parent = Parent::MainWindow, .left = 0,
         .top = 0, .width = kClientWidth, .height = kNotebookHeight, .flags = kFillParent});
  b.Add({.id = IdSBar, .name = "SBar", .kind = Kind::StatusBar, .parent = Parent::MainWindow, .left = 0,
         .top = kNotebookHeight, .width = kClientWidth, .height = kStatusBarHeight, .flags = kAlignBottom});
  b.Add({.id = IdBGO, .name = "BGO", .kind = Kind::PushButton, .parent = Parent::MainWindow,
         .left = GoButtonLeftFor(kMainStartWidth), .top = 2, .width = kGoWidth, .height = 17,
         .caption = std::string(kCaptionGo), .hint = "starts/stops script-processing", .flags = kRightAnchored});
}

void AddPages(Builder& b) {
  const struct {
    int id;
    const char* name;
    Page page;
  } pages[] = {{IdPageMain, "PageMain", Page::Main},
               {IdPageLocations, "PageLocations", Page::Locations},
               {IdPageKeys, "PageKeys", Page::Keys},
               {IdPageCode, "PageCode", Page::Code},
               {IdPageHelp, "PageHelp", Page::Help}};
  int index = 0;
  for (const auto& p : pages) {
    b.Add({.id = p.id, .name = p.name, .kind = Kind::Page, .page = p.page, .parent = Parent::TabMain, .left = kPageLeft,
           .top = kPageTop, .width = kPageWidth, .height = kPageHeight, .caption = kPageCaptions[index++],
           .flags = kFillParent});
  }
}

void AddMainPage(Builder& b) {
  const Page pg = Page::Main;
  const Parent gb = Parent::GroupBox1;
  b.Add({.id = IdGroupBox1, .name = "GroupBox1", .kind = Kind::GroupBox, .page = pg, .parent = Parent::Page, .left = 0,
         .top = 0, .width = kPageWidth, .height = kPageHeight, .flags = kFillParent});
  b.Label({.id = IdLabelScript, .name = "LabelScript", .page = pg, .parent = gb, .left = 8, .top = 16,
           .caption = "Script:"});
  b.Add({.id = IdEditScript, .name = "EditScript", .kind = Kind::Edit, .page = pg, .parent = gb, .left = 56, .top = 16,
         .width = 151, .height = 21, .hint = "Path to script", .flags = kReadOnly});
  b.PictureButton({.id = IdSBScriptSave, .name = "SBScriptSave", .page = pg, .parent = gb, .left = 214, .top = 16,
                   .hint = "Save script", .picture = Picture::Save});
  b.PictureButton({.id = IdSBScriptLoad, .name = "SBScriptLoad", .page = pg, .parent = gb, .left = 240, .top = 16,
                   .hint = "Load script", .picture = Picture::Load});
  b.Label({.id = IdLabelWin, .name = "LabelWin", .page = pg, .parent = gb, .left = 8, .top = 40, .caption = "Window:"});
  b.Add({.id = IdEditWin, .name = "EditWin", .kind = Kind::Edit, .page = pg, .parent = gb, .left = 56, .top = 40,
         .width = 177, .height = 21, .hint = "Actually selected window", .flags = kReadOnly});
  b.PictureButton({.id = IdSBWin, .name = "SBWin", .page = pg, .parent = gb, .left = 240, .top = 40,
                   .hint = "Select window", .picture = Picture::WindowFlag});
  b.Label({.id = IdLabelStop, .name = "LabelStop", .page = pg, .parent = gb, .left = 8, .top = 72,
           .caption = "Stop key:"});
  b.Add({.id = IdEditStopKey, .name = "EditStopKey", .kind = Kind::Edit, .page = pg, .parent = gb, .left = 56,
         .top = 72, .width = 41, .height = 21, .caption = FormatHex(kDefaultStopKey, 2),
         .hint = "define stop key for immediate stop of running script", .flags = kReadOnly});
  b.Add({.id = IdCheckAlt, .name = "CheckAlt", .kind = Kind::CheckBox, .page = pg, .parent = gb, .left = 104, .top = 72,
         .width = 33, .height = 17, .caption = "alt", .hint = "combined with alt", .flags = kChecked});
  b.Add({.id = IdCheckCtrl, .name = "CheckCtrl", .kind = Kind::CheckBox, .page = pg, .parent = gb, .left = 144,
         .top = 72, .width = 41, .height = 17, .caption = "ctrl", .hint = "combined with control", .flags = kChecked});
  b.Add({.id = IdCheckShift, .name = "CheckShift", .kind = Kind::CheckBox, .page = pg, .parent = gb, .left = 184,
         .top = 72, .width = 41, .height = 17, .caption = "shift", .hint = "combined with shift", .flags = kChecked});
  b.Add({.id = IdButton2, .name = "Button2", .kind = Kind::PushButton, .page = pg, .parent = gb, .left = 152, .top = 96,
         .width = 75, .height = 25, .caption = "Button2", .flags = kTabStop});
  b.Label({.id = IdLabelNotes, .name = "LabelNotes", .page = pg, .parent = gb, .left = 8, .top = kLabelNotesTop,
           .caption = "Notes:"});
  // At the start size FormResize makes it 136 high, its bottom 2 above the
  // group box's bottom edge.
  const int notesHeight = MemoNotesHeightFor(kMainStartHeight);
  b.Add({.id = IdMemoNotes, .name = "MemoNotes", .kind = Kind::Memo, .page = pg, .parent = gb, .left = 2,
         .top = kPageHeight - 2 - notesHeight, .width = 280, .height = notesHeight,
         .hint = "Here you can enter your notes", .flags = kWantTab | kAlignBottom | kStretchHeight | kWordWrap,
         .bottomInset = 2});
}

void AddLocationsPage(Builder& b) {
  const Page pg = Page::Locations;
  for (int n = 1; n <= kLocationSlotCount; ++n) {
    const int x = n <= 10 ? 0 : 144;
    const int y = 8 + 24 * ((n - 1) % 10);
    const std::string num = std::to_string(n);
    b.Label({.id = LocationLabelId(n), .name = "LabelLocation" + num, .page = pg, .parent = Parent::Page, .left = x,
             .top = y, .caption = "#" + num});
    b.Add({.id = PxId(n), .name = "px" + num, .kind = Kind::Edit, .page = pg, .parent = Parent::Page, .left = x + 24,
           .top = y, .width = 40, .height = 21});
    b.Add({.id = PyId(n), .name = "py" + num, .kind = Kind::Edit, .page = pg, .parent = Parent::Page, .left = x + 64,
           .top = y, .width = 40, .height = 21});
    b.PictureButton({.id = SBId(n), .name = "SB" + num, .page = pg, .parent = Parent::Page, .left = x + 112, .top = y,
                     .hint = "select location", .picture = Picture::WindowFlag});
  }
}

void AddKeysPage(Builder& b) {
  const Page pg = Page::Keys;
  for (int n = 1; n <= kKeySlotCount; ++n) {
    const int x = 72 * ((n - 1) / 10);
    const int y = 8 + 24 * ((n - 1) % 10);
    const std::string num = std::to_string(n);
    b.Label({.id = KeyLabelId(n), .name = "LabelKey" + num, .page = pg, .parent = Parent::Page, .left = x, .top = y,
             .caption = "#" + num});
    b.Add({.id = KeyId(n), .name = "key" + num, .kind = Kind::Edit, .page = pg, .parent = Parent::Page, .left = x + 24,
           .top = y, .width = 40, .height = 21, .hint = "Press some key to put in slot", .flags = kReadOnly});
  }
}

void AddCodeAndHelpPages(Builder& b) {
  b.Add({.id = IdMemo, .name = "Memo", .kind = Kind::Memo, .page = Page::Code, .parent = Parent::Page, .left = 0,
         .top = 0, .width = kPageWidth, .height = kPageHeight, .caption = "endscript", .hint = "source code",
         .flags = kWantTab | kScrollBars | kNoHideSel | kFillParent});
  const Page pg = Page::Help;
  b.Add({.id = IdButton1, .name = "Button1", .kind = Kind::PushButton, .page = pg, .parent = Parent::Page, .left = 0,
         .top = 56, .width = 121, .height = 25, .caption = "Help is here...", .hint = "click for help",
         .flags = kTabStop});
  b.Label({.id = IdLabelHelp1, .name = "LabelHelp1", .page = pg, .parent = Parent::Page, .left = 0, .top = 8,
           .caption = "Dorvaxil plays mouse and key scripts."});
  b.Label({.id = IdLabelHelp2, .name = "LabelHelp2", .page = pg, .parent = Parent::Page, .left = 24, .top = 32,
           .caption = "Read dorvaxil.txt for the commands."});
  b.Add({.id = IdLabelLocalisation, .name = "LabelLocalisation", .kind = Kind::Label, .page = pg,
         .parent = Parent::Page, .left = 0, .top = kPageHeight - kLabelHeight, .width = kPageWidth,
         .height = kLabelHeight,
         .caption = "\xC4\x8C" "esk\xC3\xA1 lokalizace bude hotov\xC3\xA1 cca za 5 let...", .flags = kAlignBottom});
}

void AddPicker(Builder& b) {
  b.Add({.id = IdListWin, .name = "ListWin", .kind = Kind::ListBox, .parent = Parent::Picker, .left = 8, .top = 8,
         .width = 233, .height = 241, .flags = kTabStop});
  b.Add({.id = IdBOK, .name = "BOK", .kind = Kind::PushButton, .parent = Parent::Picker, .left = 168, .top = 256,
         .width = 75, .height = 25, .caption = "&ok", .flags = kTabStop | kDefaultButton});
  b.Add({.id = IdObnovit, .name = "obnovit", .kind = Kind::PushButton, .parent = Parent::Picker, .left = 8, .top = 256,
         .width = 75, .height = 25, .caption = "&refresh", .flags = kTabStop});
}

std::vector<ControlRow> BuildTable() {
  Builder b;
  AddFrame(b);
  AddPages(b);
  AddMainPage(b);
  AddLocationsPage(b);
  AddKeysPage(b);
  AddCodeAndHelpPages(b);
  AddPicker(b);
  return std::move(b.rows);
}

}  // namespace

const std::vector<ControlRow>& Controls() {
  static const std::vector<ControlRow> table = BuildTable();
  return table;
}

const ControlRow* FindControl(std::string_view name) {
  for (const ControlRow& c : Controls()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

const ControlRow* FindControl(int id) {
  for (const ControlRow& c : Controls()) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

// LabelNotes stands at top 104 and is 13 high: height - (104 + 2 * 13) - 64.
// Never negative: the window may be made smaller than its minimum.
int MemoNotesHeightFor(int outerHeight, int dpi) {
  return std::max(0, outerHeight - Scaled(kLabelNotesTop + 2 * kLabelHeight + 64, dpi));
}

int GoButtonLeftFor(int outerWidth, int dpi) { return outerWidth - Scaled(kGoWidth + kGoRightGap, dpi); }

int Scaled(int value, int dpi) {
  // Rounded like MulDiv, also for negative values.
  const long long product = static_cast<long long>(value) * dpi;
  return static_cast<int>(product >= 0 ? (product + 48) / 96 : -((-product + 48) / 96));
}

}  // namespace dx::layout
