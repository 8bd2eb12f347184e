// dxsim's exit statuses. A new status is a constant and its row in
// kExitStatuses; a test checks that the man page, the README and the
// manual state every row, and no other.
#pragma once

namespace dx::dxsim {

inline constexpr int kExitSuccess = 0;     // the run ended or did not start; no error found; written
inline constexpr int kExitRunFailed = 1;   // a line failed; the check found an error
inline constexpr int kExitFileFailed = 2;  // the script or the picture cannot be read, or not written
inline constexpr int kExitUsage = 64;      // a wrong command line

inline constexpr int kExitStatuses[] = {kExitSuccess, kExitRunFailed, kExitFileFailed, kExitUsage};

}  // namespace dx::dxsim
