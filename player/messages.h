// dxplay's messages on standard error, behind the program's name.
#pragma once

#include <cstdio>
#include <string_view>

#include "texts/dxplay_texts.h"

namespace dx {

inline void PrintError(std::string_view message) {
  std::fprintf(stderr, "%s: %.*s\n", dxplay_texts::kProgramName.data(), static_cast<int>(message.size()),
               message.data());
}

}  // namespace dx
