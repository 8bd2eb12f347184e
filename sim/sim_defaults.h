// What the simulated desktop is when nobody says otherwise: the simulator's
// platform and main window start from these, and dxsim's options default to
// them.
#pragma once

#include <cstdint>
#include <string_view>

namespace dx::sim_defaults {

inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;
// The virtual clock's first reading and its advance per reading, in ms.
inline constexpr uint64_t kTickStart = 1000;
inline constexpr uint64_t kTickStep = 10;
inline constexpr std::string_view kTargetWindow = "00010001 - Target";

}  // namespace dx::sim_defaults
