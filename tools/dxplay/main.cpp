// dxplay: plays a script file against the X11 desktop, captures positions
// and keys into its slots, and lists the windows it can target (see
// README.md).
#include <cstdio>
#include <string>
#include <vector>

#include "texts/dxplay_texts.h"
#include "tools/dxplay/dxplay_commands.h"
#include "player/dxplay_options.h"
#include "player/messages.h"

#ifndef DX_VERSION
#define DX_VERSION "0"
#endif

int main(int argc, char** argv) {
  namespace t = dx::dxplay_texts;
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const auto options = dx::ParseDxplayOptions(args, error);
  if (!options) {
    dx::PrintError(error);
    std::fputs(std::string(t::kUsage).c_str(), stderr);
    return dx::kExitUsage;
  }
  switch (options->command) {
    case dx::DxplayOptions::Command::Help:
      std::printf("%s\n%s", std::string(t::kUsage).c_str(), std::string(t::kHelp).c_str());
      return 0;
    case dx::DxplayOptions::Command::Version: std::printf("%s %s\n", t::kProgramName.data(), DX_VERSION); return 0;
    case dx::DxplayOptions::Command::Run: return dx::RunCommand(*options);
    case dx::DxplayOptions::Command::Capture: return dx::CaptureCommand(*options);
    case dx::DxplayOptions::Command::Record: return dx::RecordCommand(*options);
    case dx::DxplayOptions::Command::Windows: return dx::WindowsCommand(*options);
  }
  return dx::kExitUsage;
}
