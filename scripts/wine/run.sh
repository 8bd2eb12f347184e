#!/usr/bin/env bash
# Runs a command under the private Xvfb and Wine prefix of STATE_DIR, setting
# them up first when needed (so one test also works on its own).
# Usage: run.sh STATE_DIR program.exe args...   (run by the 64-bit loader)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=common.sh
source "$here/common.sh"
dx_state_init "$1"
shift
if ! dx_display_alive || [ ! -e "$WINEPREFIX/.dx-ready" ]; then
  "$here/setup.sh" "$DX_STATE" >/dev/null
fi
dx_use_display
exec "$DX_WINE" "$@"
