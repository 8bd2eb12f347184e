// The fonts of the controls of both windows: the table's face at the
// table's character height for a DPI. The bitmap face comes in one variant
// per character set. The machine's own variant has the letters of its ANSI
// code page, which is what document text (script lines, slots, window
// titles) holds, so the edits, memos and lists keep it. The program's own
// texts may have letters it lacks (the central-European ones of the status
// texts and the help page on a machine set up for western languages): the
// controls that show such texts get the variant of the face that has them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "ui/layout.h"

namespace dx::ui {

enum class Letters {
  Machine,       // the machine's own variant
  ProgramTexts,  // a variant with every letter of the program's texts; the machine's where it has them
};

// A new font (the caller deletes it) for `dpi`.
HFONT CreateControlFont(int dpi, Letters letters);

// Which font the control gets: the status bar and captions beyond ASCII
// show the program's letters.
Letters LettersOf(const layout::ControlRow& row);

// Every character the controls of both windows show in their captions and
// the status bar, once each.
std::wstring ShownCharacters();

// Whether `font` is the face `face` and draws every character of `text`
// with a glyph of its own, not the face's missing-character box.
bool FontCovers(HFONT font, std::wstring_view face, std::wstring_view text);

}  // namespace dx::ui
