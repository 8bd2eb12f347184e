// The font of every control of both windows: the table's face at the
// table's character height for a DPI, in the variant of the face that has a
// glyph of its own for every letter the windows show. The bitmap face comes
// in one variant per character set, and the one a plain request gets (the
// machine's own) may lack the central-European letters of the status texts
// and the help page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace dx::ui {

// A new font (the caller deletes it) for `dpi`.
HFONT CreateControlFont(int dpi);

// Every character the controls of both windows show in their captions and
// the status bar, once each.
std::wstring ShownCharacters();

// Whether `font` is the face `face` and draws every character of `text`
// with a glyph of its own, not the face's missing-character box.
bool FontCovers(HFONT font, std::wstring_view face, std::wstring_view text);

}  // namespace dx::ui
