// The common open and save dialogs of the load and save commands.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace dx::win {

inline constexpr char kScriptFilter[] = "Dorvaxil scripts (*.dxs)\0*.DXS\0";
// The load also offers the plain scripts written in an editor; the save
// always writes the .dxs form.
inline constexpr char kLoadFilter[] = "Dorvaxil scripts (*.dxs)\0*.DXS\0Plain scripts (*.txt)\0*.TXT\0";

struct FileDialogRequest {
  std::string title;
  std::string defaultExtension;  // empty: none
  std::string initialName;       // preset file name; empty: none
};

// The chosen full path, or nothing when the user cancels. The dialogs keep
// the system's defaults otherwise: resizable, read-only box hidden, no
// overwrite question, no existence check, no initial folder.
std::optional<std::string> AskOpenFileName(HWND owner, const FileDialogRequest& request);
std::optional<std::string> AskSaveFileName(HWND owner, const FileDialogRequest& request);

}  // namespace dx::win
