#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/memo_editor.h"
#include "base/crlf_lines.h"
#include "ui/tests/check.h"

namespace dx::test {

using Lines = std::vector<std::string>;

void MemoLinesTests(Checks& t) {
  struct Row {
    std::string text;
    int rawCount;       // as the edit control counts them
    Lines document;     // empty last line not counted
  };
  const Row rows[] = {
      {"", 1, {}},
      {"endscript", 1, {"endscript"}},
      {"a\r\n", 2, {"a"}},
      {"a\r\nb", 2, {"a", "b"}},
      {"a\r\n\r\n", 3, {"a", ""}},
      {"\r\n", 2, {""}},
      {"a\r\n\r\nb", 3, {"a", "", "b"}},
      // Only CR LF breaks a line: a lone CR or LF is a character of it.
      {"a\rb\nc", 1, {"a\rb\nc"}},
      {"a\n\r\nb", 2, {"a\n", "b"}},
      {"\tx  \r\n  y", 2, {"\tx  ", "  y"}},
  };
  for (const Row& row : rows) {
    const std::string where = Show(row.text);
    LineIndex index;
    index.Assign(row.text);
    t.Equal(index.RawLineCount(), row.rawCount, where, "raw line count");
    // Raw lines joined with CR LF give the text back.
    std::string joined;
    for (int i = 0; i < index.RawLineCount(); ++i) joined += (i ? "\r\n" : "") + std::string(index.Line(i));
    t.Equal(joined, row.text, where, "raw lines rebuild the text");
    t.Equal(std::string(index.Line(row.rawCount)), std::string(), where, "line past the end is empty");
    t.Equal(std::string(index.Line(-1)), std::string(), where, "negative line is empty");
    t.Equal(DocumentLines(row.text), row.document, where, "document lines");
    // Setting document lines into a memo and reading them back loses nothing.
    t.Equal(DocumentLines(EditTextFromLines(row.document)), row.document, where, "lines round trip");
  }
  // The edit's own clipping of a selection: both ends within the text.
  struct Clip {
    int start, length, textLength;
    Selection expected;
  };
  const Clip clips[] = {{0, 4, 6, {0, 4}}, {4, 4, 6, {4, 6}}, {6, 4, 6, {6, 6}}, {9, 2, 6, {6, 6}},
                        {-3, 2, 6, {0, 2}}, {2, -1, 6, {2, 2}}, {0x7FFFFFFF, 0x7FFFFFFF, 6, {6, 6}}};
  for (const Clip& c : clips) {
    const Selection got = ClippedSelection(c.start, c.length, c.textLength);
    t.Expect(got == c.expected, "clip " + std::to_string(c.start) + "+" + std::to_string(c.length), "clipped");
  }
  t.Equal(EditTextFromLines({"beep", "endscript"}), std::string("beep\r\nendscript"), "join", "no final break");
  t.Equal(EditTextFromLines({"a", ""}), std::string("a\r\n\r\n"), "join", "empty last line kept");
}

namespace {

HWND CreateMemo() {
  return CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL,
                         0, 0, 200, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

std::string EditLine(HWND memo, int index) {
  const LRESULT start = SendMessageA(memo, EM_LINEINDEX, index, 0);
  const LRESULT length = SendMessageA(memo, EM_LINELENGTH, start, 0);
  std::string line(static_cast<size_t>(length) + 2, '\0');
  *reinterpret_cast<WORD*>(line.data()) = static_cast<WORD>(line.size());
  const LRESULT got = SendMessageA(memo, EM_GETLINE, index, reinterpret_cast<LPARAM>(line.data()));
  line.resize(static_cast<size_t>(got));
  return line;
}

// The cached view agrees with what the edit control itself reports.
void ExpectSameAsControl(Checks& t, ui::MemoEditor& editor, const std::string& where) {
  const int count = static_cast<int>(SendMessageA(editor.Handle(), EM_GETLINECOUNT, 0, 0));
  if (!t.Equal(editor.RawLineCount(), count, where, "line count as EM_GETLINECOUNT")) return;
  for (int i = 0; i < count; ++i) {
    t.Equal(editor.Line(i), EditLine(editor.Handle(), i), where, "line " + std::to_string(i) + " as EM_GETLINE");
  }
}

}  // namespace

void MemoEditorTests(Checks& t) {
  HWND memo = CreateMemo();
  if (!t.Expect(memo != nullptr, "memo", "edit control created")) return;
  ui::MemoEditor editor;
  editor.Attach(memo);

  // Every way of changing the text is seen at the next read.
  struct Change {
    const char* name;
    void (*apply)(HWND);
    const char* expected;
  };
  const Change changes[] = {
      {"WM_SETTEXT", [](HWND m) { SetWindowTextA(m, "LONG a\r\nBEEP\r\nendscript"); }, "LONG a\r\nBEEP\r\nendscript"},
      {"EM_REPLACESEL at the end",
       [](HWND m) {
         SendMessageA(m, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
         SendMessageA(m, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("\r\nMOUSE LC"));
       },
       "LONG a\r\nBEEP\r\nendscript\r\nMOUSE LC"},
      {"typed character",
       [](HWND m) {
         SendMessageA(m, EM_SETSEL, 0, 0);
         SendMessageA(m, WM_CHAR, 'X', 0);
       },
       "XLONG a\r\nBEEP\r\nendscript\r\nMOUSE LC"},
      {"undo", [](HWND m) { SendMessageA(m, EM_UNDO, 0, 0); }, "LONG a\r\nBEEP\r\nendscript\r\nMOUSE LC"},
      {"clear selection",
       [](HWND m) {
         SendMessageA(m, EM_SETSEL, 0, 8);
         SendMessageA(m, WM_CLEAR, 0, 0);
       },
       "BEEP\r\nendscript\r\nMOUSE LC"},
      {"emptied", [](HWND m) { SetWindowTextA(m, ""); }, ""},
  };
  for (const Change& change : changes) {
    editor.RawLineCount();  // fill the cache before the change
    change.apply(memo);
    std::string text(1024, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(memo, text.data(), 1024)));
    t.Equal(text, std::string(change.expected), change.name, "the control holds the changed text");
    ExpectSameAsControl(t, editor, change.name);
  }

  // The highlight: the selection is clipped at the end of the text, and
  // one held back until the next frame reaches the control before anyone
  // reads the selection or types over it.
  SetWindowTextA(memo, "ab\r\ncd");
  struct Selection {
    int start, length, expectedLength;
  };
  const Selection selections[] = {{0, 4, 4}, {4, 4, 2}, {6, 4, 0}, {0, 0, 0}, {4, 4, 2}};
  for (const Selection& s : selections) {
    const std::string where = "select " + std::to_string(s.start);
    editor.Select(s.start, s.length);
    t.Equal(editor.SelectionLength(), s.expectedLength, where, "read-back length");
    DWORD from = 0, to = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    t.Equal(int(from), std::min(s.start, 6), where, "EM_GETSEL start");
    t.Equal(int(to - from), s.expectedLength, where, "EM_GETSEL length");
  }
  editor.Select(0, 4);
  SendMessageA(memo, WM_CHAR, 'X', 0);
  t.Equal(editor.Line(0), std::string("Xcd"), "typing", "replaces the line last selected");
  DestroyWindow(memo);
}

}  // namespace dx::test
