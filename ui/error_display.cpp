#include "ui/error_display.h"

#include <stdexcept>

#include "base/script_error.h"
#include "platform/system_commands.h"

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
    return "Out of memory";
  } catch (const std::exception& error) {
    return error.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace dx::ui
