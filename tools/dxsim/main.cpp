// dxsim: runs a script file against a simulated desktop and prints every
// operation of the run (see README.md), or re-saves a script file.
#include <iostream>
#include <string>
#include <vector>

#include "tools/dxsim/dxsim_commands.h"
#include "tools/dxsim/dxsim_exit_statuses.h"
#include "tools/dxsim/dxsim_options.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto options = dx::ParseDxsimOptions(args, error);
  if (!options) {
    std::cerr << "dxsim: " << error << '\n' << dx::kDxsimUsageHint;
    return dx::dxsim::kExitUsage;
  }
  int status = 0;
  switch (options->command) {
    case dx::DxsimOptions::Command::Help: std::cout << dx::DxsimHelp(); break;
    case dx::DxsimOptions::Command::Version: std::cout << "dxsim " DX_VERSION "\n"; break;
    case dx::DxsimOptions::Command::Run: status = dx::RunScriptFile(*options, std::cout); break;
    case dx::DxsimOptions::Command::Resave: status = dx::ResaveScriptFile(*options, std::cout); break;
    case dx::DxsimOptions::Command::Check: status = dx::CheckScriptFile(*options, std::cout); break;
  }
  std::cout.flush();
  return status;
}
