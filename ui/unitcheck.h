// TFormCheck: the findings of the script checker for the main window's
// current document, one row each (line, severity, message). Choosing a row
// selects its line in the code memo. Nothing here stands in the way of a
// run: the window only shows what the checker found.
#pragma once

#include <windows.h>

#include <vector>

#include "checker/diagnostic.h"
#include "ui/control_factory.h"
#include "ui/dpi.h"

namespace dx::ui {

class TFormMain;

class TFormCheck {
 public:
  static void RegisterWindowClass(HINSTANCE instance);
  HWND Handle() const { return hwnd_; }

  // Lists the findings and shows the window, beside the main window the
  // first time; built at the first call.
  void ShowFindings(HINSTANCE instance, TFormMain& owner, const std::vector<check::Diagnostic>& findings);

  // A row chosen: its line selected in the memo.
  void ListFindingsSelect(int row);
  // A row activated (double click, Enter): the memo takes the focus too.
  void ListFindingsActivate(int row);

 private:
  template <class Form>
  friend LRESULT CALLBACK FormWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool Build(HINSTANCE instance);
  void OnNotify(const NMHDR& header);
  void OnDpiChanged(const DpiChange& change);
  void LayOut();
  void PlaceBesideOwner();
  // The memo line (0-based) of a row; -1 for a row without one.
  int LineOf(int row) const;

  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
  TFormMain* owner_ = nullptr;
  ControlFont font_;
  int dpi_ = 96;
  std::vector<int> lines_;  // per row: the finding's code line, 1-based; 0: none
};

}  // namespace dx::ui
