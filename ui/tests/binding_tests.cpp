#include <map>

#include "ui/document_binding.h"
#include "ui/layout.h"
#include "ui/tests/check.h"

namespace dx::test {
namespace {

class FakeControls final : public ui::ControlTextAccess {
 public:
  std::map<int, std::string> texts;
  std::map<int, int> writes;
  std::string Text(int id) override { return texts[id]; }
  void SetText(int id, const std::string& text) override {
    texts[id] = text;
    ++writes[id];
  }
  void CaretToStart(int) override {}
};

}  // namespace

void DocumentBindingTests(Checks& t) {
  // Round trip: what goes into the controls comes back the same.
  ScriptDocument document;
  document.notes = {"first note", ""};
  document.code = {"MOUSE GO 1", "  MOUSE LC", "", "endscript"};
  document.keys[0] = "0D";
  document.keys[39] = "41";
  document.locations[0] = {"100", "-5"};
  document.locations[19] = {"x", ""};
  FakeControls controls;
  ui::DocumentToControls(document, controls);
  t.Equal(controls.texts[layout::IdMemo], std::string("MOUSE GO 1\r\n  MOUSE LC\r\n\r\nendscript"), "code", "memo text");
  t.Equal(controls.texts[layout::KeyId(40)], std::string("41"), "keys", "slot 40 in key40");
  t.Equal(controls.texts[layout::PyId(1)], std::string("-5"), "locations", "slot 1 y in py1");
  const ScriptDocument back = ui::DocumentFromControls(controls);
  t.Expect(back.notes == document.notes && back.code == document.code && back.keys == document.keys,
           "round trip", "notes, code and keys come back");
  bool locationsSame = true;
  for (int n = 0; n < kLocationSlotCount; ++n) {
    locationsSame = locationsSame && back.locations[n].x == document.locations[n].x &&
                    back.locations[n].y == document.locations[n].y;
  }
  t.Expect(locationsSame, "round trip", "locations come back");

  // A memo that already shows the lines keeps its exact text.
  struct Row {
    std::string memoText;
    std::vector<std::string> lines;
    std::string expectedText;
    int writes;
  };
  const Row rows[] = {
      {"endscript", {"endscript"}, "endscript", 0},
      {"endscript\r\n", {"endscript"}, "endscript\r\n", 0},
      {"endscript", {"beep", "endscript"}, "beep\r\nendscript", 1},
      {"a\r\n", {}, "", 1},
  };
  for (const Row& row : rows) {
    FakeControls memo;
    memo.texts[layout::IdMemo] = row.memoText;
    ScriptDocument d;
    d.code = row.lines;
    ui::DocumentToControls(d, memo);
    t.Equal(memo.texts[layout::IdMemo], row.expectedText, Show(row.memoText), "memo text after writing back");
    t.Equal(memo.writes[layout::IdMemo], row.writes, Show(row.memoText), "memo writes");
  }
}

}  // namespace dx::test
