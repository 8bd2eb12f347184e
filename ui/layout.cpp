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

  ControlRow& Add(int id, std::string name, Kind kind, Page page, Parent parent, int left, int top,
                   int width, int height, std::string caption = {}, std::string hint = {},
                   uint32_t flags = 0) {
    rows.push_back(ControlRow{id, std::move(name), kind, page, parent, left, top, width, height,
                               std::move(caption), std::move(hint), flags, Picture::None, 0});
    return rows.back();
  }
  ControlRow& Label(int id, std::string name, Page page, Parent parent, int left, int top,
                     std::string caption) {
    // Width: a rough figure for the 11-pixel font; the real one follows the text.
    const int width = static_cast<int>(caption.size()) * 6;
    return Add(id, std::move(name), Kind::Label, page, parent, left, top, width, kLabelHeight,
               std::move(caption), {}, kAutoWidth);
  }
  ControlRow& PictureButton(int id, std::string name, Page page, Parent parent, int left, int top,
                             std::string hint, Picture picture) {
    ControlRow& c =
        Add(id, std::move(name), Kind::PictureButton, page, parent, left, top, 23, 22, {}, std::move(hint));
    c.picture = picture;
    return c;
  }
};

void AddFrame(Builder& b) {
  b.Add(IdTabMain, "TabMain", Kind::TabControl, Page::None, Parent::MainWindow, 0, 0, kClientWidth,
        kNotebookHeight, {}, {}, kFillParent);
  b.Add(IdSBar, "SBar", Kind::StatusBar, Page::None, Parent::MainWindow, 0, kNotebookHeight, kClientWidth,
        kStatusBarHeight, {}, {}, kAlignBottom);
  b.Add(IdBGO, "BGO", Kind::PushButton, Page::None, Parent::MainWindow, GoButtonLeftFor(kMainStartWidth),
        2, kGoWidth, 17, std::string(kCaptionGo), "starts/stops script-processing", kRightAnchored);
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
    b.Add(p.id, p.name, Kind::Page, p.page, Parent::TabMain, kPageLeft, kPageTop, kPageWidth, kPageHeight,
          kPageCaptions[index++], {}, kFillParent);
  }
}

void AddMainPage(Builder& b) {
  const Page pg = Page::Main;
  const Parent gb = Parent::GroupBox1;
  b.Add(IdGroupBox1, "GroupBox1", Kind::GroupBox, pg, Parent::Page, 0, 0, kPageWidth, kPageHeight, {}, {},
        kFillParent);
  b.Label(IdLabelScript, "LabelScript", pg, gb, 8, 16, "Script:");
  b.Add(IdEditScript, "EditScript", Kind::Edit, pg, gb, 56, 16, 151, 21, {}, "Path to script", kReadOnly);
  b.PictureButton(IdSBScriptSave, "SBScriptSave", pg, gb, 214, 16, "Save script", Picture::Save);
  b.PictureButton(IdSBScriptLoad, "SBScriptLoad", pg, gb, 240, 16, "Load script", Picture::Load);
  b.Label(IdLabelWin, "LabelWin", pg, gb, 8, 40, "Window:");
  b.Add(IdEditWin, "EditWin", Kind::Edit, pg, gb, 56, 40, 177, 21, {}, "Actually selected window", kReadOnly);
  b.PictureButton(IdSBWin, "SBWin", pg, gb, 240, 40, "Select window", Picture::WindowFlag);
  b.Label(IdLabelStop, "LabelStop", pg, gb, 8, 72, "Stop key:");
  b.Add(IdEditStopKey, "EditStopKey", Kind::Edit, pg, gb, 56, 72, 41, 21, FormatHex(kDefaultStopKey, 2),
        "define stop key for immediate stop of running script", kReadOnly);
  b.Add(IdCheckAlt, "CheckAlt", Kind::CheckBox, pg, gb, 104, 72, 33, 17, "alt", "combined with alt", kChecked);
  b.Add(IdCheckCtrl, "CheckCtrl", Kind::CheckBox, pg, gb, 144, 72, 41, 17, "ctrl", "combined with control",
        kChecked);
  b.Add(IdCheckShift, "CheckShift", Kind::CheckBox, pg, gb, 184, 72, 41, 17, "shift", "combined with shift",
        kChecked);
  b.Add(IdButton2, "Button2", Kind::PushButton, pg, gb, 152, 96, 75, 25, "Button2", {}, kTabStop);
  b.Label(IdLabelNotes, "LabelNotes", pg, gb, 8, kLabelNotesTop, "Notes:");
  // At the start size FormResize makes it 136 high, its bottom 2 above the
  // group box's bottom edge.
  const int notesHeight = MemoNotesHeightFor(kMainStartHeight);
  ControlRow& notes = b.Add(IdMemoNotes, "MemoNotes", Kind::Memo, pg, gb, 2, kPageHeight - 2 - notesHeight,
                             280, notesHeight, {}, "Here you can enter your notes",
                             kWantTab | kAlignBottom | kStretchHeight | kWordWrap);
  notes.bottomInset = 2;
}

void AddLocationsPage(Builder& b) {
  const Page pg = Page::Locations;
  for (int n = 1; n <= kLocationSlotCount; ++n) {
    const int x = n <= 10 ? 0 : 144;
    const int y = 8 + 24 * ((n - 1) % 10);
    const std::string num = std::to_string(n);
    b.Label(LocationLabelId(n), "LabelLocation" + num, pg, Parent::Page, x, y, "#" + num);
    b.Add(PxId(n), "px" + num, Kind::Edit, pg, Parent::Page, x + 24, y, 40, 21);
    b.Add(PyId(n), "py" + num, Kind::Edit, pg, Parent::Page, x + 64, y, 40, 21);
    b.PictureButton(SBId(n), "SB" + num, pg, Parent::Page, x + 112, y, "select location", Picture::WindowFlag);
  }
}

void AddKeysPage(Builder& b) {
  const Page pg = Page::Keys;
  for (int n = 1; n <= kKeySlotCount; ++n) {
    const int x = 72 * ((n - 1) / 10);
    const int y = 8 + 24 * ((n - 1) % 10);
    const std::string num = std::to_string(n);
    b.Label(KeyLabelId(n), "LabelKey" + num, pg, Parent::Page, x, y, "#" + num);
    b.Add(KeyId(n), "key" + num, Kind::Edit, pg, Parent::Page, x + 24, y, 40, 21, {},
          "Press some key to put in slot", kReadOnly);
  }
}

void AddCodeAndHelpPages(Builder& b) {
  b.Add(IdMemo, "Memo", Kind::Memo, Page::Code, Parent::Page, 0, 0, kPageWidth, kPageHeight, "endscript",
        "source code", kWantTab | kScrollBars | kNoHideSel | kFillParent);
  const Page pg = Page::Help;
  b.Add(IdButton1, "Button1", Kind::PushButton, pg, Parent::Page, 0, 56, 121, 25, "Help is here...",
        "click for help", kTabStop);
  b.Label(IdLabelHelp1, "LabelHelp1", pg, Parent::Page, 0, 8, "Dorvaxil plays mouse and key scripts.");
  b.Label(IdLabelHelp2, "LabelHelp2", pg, Parent::Page, 24, 32, "Read dorvaxil.txt for the commands.");
  ControlRow& czech = b.Add(IdLabelLocalisation, "LabelLocalisation", Kind::Label, pg, Parent::Page, 0,
                             kPageHeight - kLabelHeight, kPageWidth, kLabelHeight,
                             "\xC4\x8C" "esk\xC3\xA1 lokalizace bude hotov\xC3\xA1 cca za 5 let...", {},
                             kAlignBottom);
  czech.bottomInset = 0;
}

void AddPicker(Builder& b) {
  b.Add(IdListWin, "ListWin", Kind::ListBox, Page::None, Parent::Picker, 8, 8, 233, 241, {}, {}, kTabStop);
  b.Add(IdBOK, "BOK", Kind::PushButton, Page::None, Parent::Picker, 168, 256, 75, 25, "&ok", {},
        kTabStop | kDefaultButton);
  b.Add(IdObnovit, "obnovit", Kind::PushButton, Page::None, Parent::Picker, 8, 256, 75, 25, "&refresh", {},
        kTabStop);
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
