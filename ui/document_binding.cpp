#include "ui/document_binding.h"

#include "ui/layout.h"
#include "ui/memo_lines.h"

namespace dx::ui {

ScriptDocument DocumentFromControls(ControlTextAccess& controls) {
  ScriptDocument document;
  document.notes = DocumentLines(controls.Text(layout::IdMemoNotes));
  document.code = DocumentLines(controls.Text(layout::IdMemo));
  for (int n = 1; n <= kKeySlotCount; ++n) document.keys[n - 1] = controls.Text(layout::KeyId(n));
  for (int n = 1; n <= kLocationSlotCount; ++n) {
    document.locations[n - 1].x = controls.Text(layout::PxId(n));
    document.locations[n - 1].y = controls.Text(layout::PyId(n));
  }
  return document;
}

void DocumentToControls(const ScriptDocument& document, ControlTextAccess& controls) {
  controls.SetText(layout::IdMemoNotes, EditTextFromLines(document.notes));
  controls.SetText(layout::IdMemo, EditTextFromLines(document.code));
  for (int n = 1; n <= kKeySlotCount; ++n) controls.SetText(layout::KeyId(n), document.keys[n - 1]);
  for (int n = 1; n <= kLocationSlotCount; ++n) {
    controls.SetText(layout::PxId(n), document.locations[n - 1].x);
    controls.SetText(layout::PyId(n), document.locations[n - 1].y);
  }
  controls.CaretToStart(layout::IdMemoNotes);
  controls.CaretToStart(layout::IdMemo);
}

}  // namespace dx::ui
