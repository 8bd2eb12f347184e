// What every scenario gets, and the registry of scenarios that the driver's
// "test" mode runs by name (one CTest test each).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "e2e/app.h"
#include "e2e/report.h"
#include "e2e/target.h"

namespace dxe {

struct Context {
  Report report;
  std::wstring exe;      // dorvaxil.exe, DOS path
  std::wstring workdir;  // a folder of this test's own, DOS path
  int dpi = 96;          // the screen's, as the driver (DPI-aware) sees it
};

struct Scenario {
  std::string name;
  std::string what;
  void (*run)(Context&, const void* row);
  const void* row = nullptr;  // the table row of a table-driven scenario
};

std::vector<Scenario> AllScenarios();
// Each file of scenarios adds its own.
void AddWindowScenarios(std::vector<Scenario>& out);
void AddRunScenarios(std::vector<Scenario>& out);
void AddFileScenarios(std::vector<Scenario>& out);
void AddPickerScenarios(std::vector<Scenario>& out);
void AddCaptureScenarios(std::vector<Scenario>& out);
void AddHotKeyScenarios(std::vector<Scenario>& out);
void AddReleaseScenarios(std::vector<Scenario>& out);
void AddPixelScenarios(std::vector<Scenario>& out);
void AddCheckScenarios(std::vector<Scenario>& out);

// A fresh program with its main window moved to the top-left corner, so
// that the target windows on the right stay clear of it.
struct Session {
  explicit Session(Context& c, bool move_to_corner = true);
  ~Session();
  Context& ctx;
  App app;
  bool ok = false;
};

// Where the targets stand: right of and below the main window's corner
// place, inside the 1024 x 768 screen.
inline constexpr int kTargetX = 600, kTargetY = 380, kTargetW = 380, kTargetH = 340;
std::unique_ptr<Target> MakeTarget(const std::wstring& title = L"dxdriver target");

// Puts `entry` into EditWin through the picker: SBWin, select, "&ok".
bool ChooseInPicker(Session& s, const std::wstring& entry);
// The selection of a multi-line edit as start and end offsets.
std::pair<int, int> EditSelection(HWND edit);

}  // namespace dxe
