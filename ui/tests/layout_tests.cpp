#include <set>

#include "ui/layout.h"
#include "ui/tests/check.h"

namespace dx::test {

void LayoutTests(Checks& t) {
  using namespace dx::layout;
  std::set<int> ids;
  std::set<std::string> names;
  for (const ControlRow& c : Controls()) {
    t.Expect(ids.insert(c.id).second, c.name, "id is unique");
    t.Expect(names.insert(c.name).second, c.name, "name is unique");
    t.Expect(c.id != 1 && c.id != 2, c.name, "not the dialog OK/Cancel id");
    t.Expect(FindControl(c.name) == &c && FindControl(c.id) == &c, c.name, "found by name and id");
    // Only the two page buttons and the picker take part in Tab navigation.
    const bool tabStop = c.name == "Button1" || c.name == "Button2" || c.parent == Parent::Picker;
    t.Equal(c.Has(kTabStop), tabStop, c.name, "tab stop");
  }

  // Slot families: names, places and ids follow the slot number.
  struct Slot {
    const char* name;
    int id, left, top;
  };
  const Slot slots[] = {
      {"px1", PxId(1), 24, 8},       {"py10", PyId(10), 64, 224},   {"SB11", SBId(11), 256, 8},
      {"px20", PxId(20), 168, 224},  {"LabelLocation15", LocationLabelId(15), 144, 104},
      {"key1", KeyId(1), 24, 8},     {"key11", KeyId(11), 96, 8},   {"key40", KeyId(40), 240, 224},
      {"LabelKey31", KeyLabelId(31), 216, 8},
  };
  for (const Slot& s : slots) {
    const ControlRow* c = FindControl(s.name);
    if (!t.Expect(c != nullptr, s.name, "in the table")) continue;
    t.Equal(c->id, s.id, s.name, "id");
    t.Equal(c->left, s.left, s.name, "left");
    t.Equal(c->top, s.top, s.name, "top");
  }
  t.Equal(FindControl("LabelKey7")->caption, std::string("#7"), "LabelKey7", "caption");
  t.Equal(FindControl("SB3")->hint, std::string("select location"), "SB3", "hint");

  // FormResize for outer sizes.
  struct Resize {
    int width, height, dpi, notesHeight, goLeft;
  };
  const Resize sizes[] = {{300, 330, 96, 136, 259}, {400, 430, 96, 236, 359}, {300, 250, 96, 56, 259},
                          {450, 495, 144, 204, 388}, {200, 150, 96, 0, 159}};
  for (const Resize& r : sizes) {
    const std::string where = std::to_string(r.width) + "x" + std::to_string(r.height) + "@" + std::to_string(r.dpi);
    t.Equal(MemoNotesHeightFor(r.height, r.dpi), r.notesHeight, where, "MemoNotes height");
    t.Equal(GoButtonLeftFor(r.width, r.dpi), r.goLeft, where, "BGO left");
  }

  struct Scale {
    int value, dpi, expected;
  };
  const Scale scales[] = {{33, 96, 33}, {33, 144, 50}, {11, 120, 14}, {-5, 144, -8}, {0, 192, 0}, {17, 192, 34}};
  for (const Scale& s : scales) {
    t.Equal(Scaled(s.value, s.dpi), s.expected, std::to_string(s.value) + "@" + std::to_string(s.dpi), "scaled");
  }
}

}  // namespace dx::test
