// Where the ScriptDocument lives: notes in MemoNotes, code in Memo, key
// slots in key1..key40, location slots in px1..px20 / py1..py20.
#pragma once

#include <string>

#include "scriptfile/script_document.h"

namespace dx::ui {

// Reads and writes the document text of a control, by control id.
class ControlTextAccess {
 public:
  virtual ~ControlTextAccess() = default;
  virtual std::string Text(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  // Puts the caret of a memo at its start and scrolls there.
  virtual void CaretToStart(int id) = 0;
};

ScriptDocument DocumentFromControls(ControlTextAccess& controls);
void DocumentToControls(const ScriptDocument& document, ControlTextAccess& controls);

}  // namespace dx::ui
