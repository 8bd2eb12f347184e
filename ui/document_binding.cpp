#include "ui/document_binding.h"

#include "ui/layout.h"
#include "base/crlf_lines.h"

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

namespace {

// A memo whose text already holds these lines keeps it byte for byte (a
// final line break included), so a load that failed early changes nothing.
void SetMemoLines(ControlTextAccess& controls, int id, const std::vector<std::string>& lines) {
  if (DocumentLines(controls.Text(id)) != lines) controls.SetText(id, EditTextFromLines(lines));
}

}  // namespace

void DocumentToControls(const ScriptDocument& document, ControlTextAccess& controls) {
  SetMemoLines(controls, layout::IdMemoNotes, document.notes);
  SetMemoLines(controls, layout::IdMemo, document.code);
  for (int n = 1; n <= kKeySlotCount; ++n) controls.SetText(layout::KeyId(n), document.keys[n - 1]);
  for (int n = 1; n <= kLocationSlotCount; ++n) {
    controls.SetText(layout::PxId(n), document.locations[n - 1].x);
    controls.SetText(layout::PyId(n), document.locations[n - 1].y);
  }
  controls.CaretToStart(layout::IdMemoNotes);
  controls.CaretToStart(layout::IdMemo);
}

}  // namespace dx::ui
