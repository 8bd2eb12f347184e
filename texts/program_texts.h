// The program's own texts, UTF-8: what the status bar, the go button, the
// message boxes and the file dialogs say. The window, the engine and the
// end-to-end driver all read them here, so a text changes in one line.
#pragma once

#include <string>
#include <string_view>

#include "base/message_text.h"

namespace dx {

// The manual, beside the program; the help button opens it in notepad.
inline constexpr std::string_view kManualFileName = "dorvaxil.txt";

// The caption of every message box.
inline constexpr std::string_view kApplicationTitle = "Dorvaxil";

// The status bar.
inline constexpr std::string_view kStatusActive = "skript je aktivn\xC3\xAD";
inline constexpr std::string_view kStatusStopped = "skript byl zastaven";
inline constexpr std::string_view kStatusPickPosition = "vyber pozici v po\xC5\xBE" "adovan\xC3\xA9m okn\xC4\x9B";
inline constexpr std::string_view kStatusPositionPicked = "pozice vybr\xC3\xA1na";
// Every text the status bar shows but the stop-key warning (ASCII): the
// controls' font must have their letters.
inline constexpr std::string_view kStatusTexts[] = {kStatusActive, kStatusStopped, kStatusPickPosition,
                                                    kStatusPositionPicked};

// The go button.
inline constexpr std::string_view kCaptionGo = "go";
inline constexpr std::string_view kCaptionStop = "stop";

// Message boxes and dialog titles.
inline constexpr std::string_view kNoWindowMessage = "Please select relative window";
inline constexpr std::string_view kOutOfMemoryMessage = "Out of memory";
inline constexpr std::string_view kUnknownErrorMessage = "Unknown error";
inline constexpr std::string_view kLoadDialogTitle = "Load script...";
inline constexpr std::string_view kSaveDialogTitle = "Save script...";

// The system inserted nothing of a record the run sent, at this line of
// the code page (1 for the first).
inline std::string RefusedInputMessage(int64_t line) {
  return "The system refused the input (locked screen, or a window with higher rights): line " +
         std::to_string(line) + ". Unlock the screen, or start " + std::string(kApplicationTitle) +
         " with the rights of the target window";
}
// Before the first line: the target would refuse every record.
inline std::string HigherRightsMessage() {
  const std::string name(kApplicationTitle);
  return "The target window runs with higher rights than " + name +
         ", so the system would refuse the input to it: start " + name +
         " with the same rights (as administrator), or choose another window";
}

// The code memo's context menu: the edit's own entries, then the check.
inline constexpr std::string_view kMenuUndo = "&Undo";
inline constexpr std::string_view kMenuCut = "Cu&t";
inline constexpr std::string_view kMenuCopy = "&Copy";
inline constexpr std::string_view kMenuPaste = "&Paste";
inline constexpr std::string_view kMenuDelete = "&Delete";
inline constexpr std::string_view kMenuSelectAll = "Select &All";
inline constexpr std::string_view kMenuCheckScript = "Check &script\tF7";

// The window of the script check: its caption, its columns, and the one
// row it shows when the checker finds nothing.
inline constexpr std::string_view kCheckCaption = "Script check";
inline constexpr std::string_view kCheckColumnLine = "line";
inline constexpr std::string_view kCheckColumnSeverity = "severity";
inline constexpr std::string_view kCheckColumnMessage = "message";
inline constexpr std::string_view kCheckNoFindings = "no findings: the checker sees nothing wrong";

// A stop key that is not registered cannot stop a run, e.g.
// "Ctrl+Alt+Shift+A is taken by another program: no stop key".
inline std::string NotRegisteredWarning(std::string_view combination, bool takenByAnotherProgram) {
  return std::string(combination) +
         (takenByAnotherProgram ? " is taken by another program" : " could not be registered") + ": no stop key";
}

// A line that ends before a character its command must read, e.g.
// "'MOUSE' is not a complete MOUSE command".
inline MessageText IncompleteCommandMessage(std::string_view line, std::string_view command) {
  return MessageText("'").Document(line).Program("' is not a complete ").Program(command).Program(" command");
}

// A closing line without an open block of its kind, e.g.
// "'ENDLOOP' has no open LOOP block".
inline MessageText NoOpenBlockMessage(std::string_view line, std::string_view opener) {
  return MessageText("'").Document(line).Program("' has no open ").Program(opener).Program(" block");
}

}  // namespace dx
