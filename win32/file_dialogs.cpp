#include "win32/file_dialogs.h"

#include <commdlg.h>

#include <vector>

namespace dx::win {
namespace {

// Long paths fit; a longer preset name is cut rather than making the dialog fail.
constexpr size_t kNameBufferSize = 4096;

using DialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

template <std::size_t N>
std::optional<std::string> Ask(DialogFunction show, HWND owner, const FileDialogRequest& request,
                               const char (&filter_text)[N]) {
  std::vector<char> name(kNameBufferSize, '\0');
  request.initialName.copy(name.data(), kNameBufferSize - 1);
  // The filter needs its final extra terminator.
  const std::string filter(filter_text, N);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrTitle = request.title.c_str();
  dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!show(&dialog)) return std::nullopt;
  return std::string(name.data());
}

}  // namespace

std::optional<std::string> AskOpenFileName(HWND owner, const FileDialogRequest& request) {
  return Ask(GetOpenFileNameA, owner, request, kLoadFilter);
}

std::optional<std::string> AskSaveFileName(HWND owner, const FileDialogRequest& request) {
  return Ask(GetSaveFileNameA, owner, request, kScriptFilter);
}

}  // namespace dx::win
