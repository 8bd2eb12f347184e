#include "ui/error_display.h"

#include <stdexcept>

#include "base/script_error.h"
#include "win32/system_commands.h"
#include "texts/program_texts.h"

namespace dx::ui {

void ShowErrorBox(HWND owner, const MessageText& message) {
  win::ShowMessageBox(owner, WithFullStop(message), win::BoxIcon::Error);
}

MessageText MessageOfCurrentException() {
  try {
    throw;
  } catch (const ScriptError& error) {
    return error.Message();
  } catch (const std::bad_alloc&) {
    return std::string(kOutOfMemoryMessage);
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return std::string(kUnknownErrorMessage);
  }
}

}  // namespace dx::ui
