// What the simulated desktop is when nobody says otherwise: the simulator's
// platform and main window start from these, and dxsim's options default to
// them.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/host.h"

namespace dx::sim_defaults {

inline constexpr int kScreenWidth = kDefaultScreenWidth;
inline constexpr int kScreenHeight = kDefaultScreenHeight;
// The virtual clock's first reading and its advance per reading, in ms.
inline constexpr uint64_t kTickStart = 1000;
inline constexpr uint64_t kTickStep = 10;
inline constexpr std::string_view kTargetWindow = "00010001 - Target";

}  // namespace dx::sim_defaults
