#include "ui/control_font.h"

#include <algorithm>
#include <vector>

#include "win32/text_encoding.h"
#include "texts/program_texts.h"
#include "ui/layout.h"

namespace dx::ui {
namespace {

// The face's central-European variants as Windows and Wine name their files
// in the system's font folder, at 96 and at 120 DPI. Where the machine's
// own variant lacks letters, the program loads these for itself: a system
// set up for western languages has not registered them. They are loaded
// before the first request for their character set, because the system
// keeps the answer to a request it has seen (under Wine, one without them).
constexpr const wchar_t* kCentralEuropeanFiles[] = {L"sserifee.fon", L"sseriffe.fon"};

HFONT MakeFont(int dpi, BYTE charset) {
  return CreateFontW(-layout::Scaled(layout::kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                     win::WideFromProgramText(layout::kFontFace).c_str());
}

// Loads the variants for this process only; once, whatever comes of it.
void LoadCentralEuropeanVariants() {
  static bool loaded = false;
  if (loaded) return;
  loaded = true;
  wchar_t windows[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  for (const wchar_t* file : kCentralEuropeanFiles) {
    const std::wstring path = std::wstring(windows) + L"\\Fonts\\" + file;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
      AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
  }
}

void AddCharacters(std::wstring& out, std::string_view utf8) {
  for (const wchar_t c : win::WideFromProgramText(utf8)) {
    // Line breaks and tabs are layout, not glyphs.
    if (c >= L' ' && out.find(c) == std::wstring::npos) out += c;
  }
}

}  // namespace

std::wstring ShownCharacters() {
  std::wstring out;
  for (const layout::ControlRow& row : layout::Controls()) AddCharacters(out, row.caption);
  for (const char* caption : layout::kPageCaptions) AddCharacters(out, caption);
  for (const std::string_view text : kStatusTexts) AddCharacters(out, text);
  return out;
}

namespace {

// Whether every character of `text` has a place in the code page of the
// font's character set: the whole glyph set of a bitmap variant.
bool CodePageHolds(BYTE charset, std::wstring_view text) {
  CHARSETINFO info{};
  if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<ULONG_PTR>(charset)), &info, TCI_SRCCHARSET))
    return false;
  BOOL lost = FALSE;
  const int length = static_cast<int>(text.size());
  return WideCharToMultiByte(info.ciACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lost) > 0 &&
         !lost;
}

}  // namespace

bool FontCovers(HFONT font, std::wstring_view face, std::wstring_view text) {
  HDC dc = GetDC(nullptr);
  if (!dc) return false;
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t chosen[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, chosen);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  std::vector<WORD> glyphs(text.size());
  const DWORD done = GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()), glyphs.data(),
                                      GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  if (lstrcmpiW(chosen, std::wstring(face).c_str()) != 0) return false;
  // A system that does not map a bitmap face's glyphs tells by the code page.
  if (done == GDI_ERROR) return CodePageHolds(metrics.tmCharSet, text);
  return done == text.size() && std::find(glyphs.begin(), glyphs.end(), WORD{0xFFFF}) == glyphs.end();
}

Letters LettersOf(const layout::ControlRow& row) {
  const bool beyondAscii =
      std::any_of(row.caption.begin(), row.caption.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
  return row.kind == layout::Kind::StatusBar || beyondAscii ? Letters::ProgramTexts : Letters::Machine;
}

HFONT CreateControlFont(int dpi, Letters letters) {
  if (letters == Letters::Machine) return MakeFont(dpi, DEFAULT_CHARSET);
  const std::wstring face = win::WideFromProgramText(layout::kFontFace);
  const std::wstring shown = ShownCharacters();
  // The machine's own variant first: where it covers the texts, it is the
  // one every other program shows.
  HFONT own = MakeFont(dpi, DEFAULT_CHARSET);
  if (!own || FontCovers(own, face, shown)) return own;
  LoadCentralEuropeanVariants();
  HFONT central = MakeFont(dpi, EASTEUROPE_CHARSET);
  if (central && FontCovers(central, face, shown)) {
    DeleteObject(own);
    return central;
  }
  // No variant has every letter: the face as it comes, boxes and all.
  if (central) DeleteObject(central);
  return own;
}

}  // namespace dx::ui
