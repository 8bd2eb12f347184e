// dxsim: runs a script file against a simulated desktop and prints every
// operation of the run (see README.md), or re-saves a script file.
#include <iostream>
#include <string>
#include <vector>

#include "tools/dxsim/dxsim_commands.h"
#include "tools/dxsim/dxsim_options.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto options = dx::ParseDxsimOptions(args, error);
  if (!options) {
    std::cerr << "dxsim: " << error << '\n' << dx::kDxsimUsage;
    return 64;
  }
  const int status = options->command == dx::DxsimOptions::Command::Run
                         ? dx::RunScriptFile(*options, std::cout)
                         : dx::ResaveScriptFile(*options, std::cout);
  std::cout.flush();
  return status;
}
