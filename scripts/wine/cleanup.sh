#!/usr/bin/env bash
# Stops what setup.sh started: the wineserver (and with it every program still
# running in the prefix) and the private Xvfb. The prefix itself is kept.
# Usage: cleanup.sh STATE_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=common.sh
source "$here/common.sh"
dx_state_init "$1"
[ -d "$WINEPREFIX" ] && "$DX_WINESERVER" -k 2>/dev/null
if [ -s "$DX_STATE/xvfb.pid" ]; then
  kill "$(cat "$DX_STATE/xvfb.pid")" 2>/dev/null
  rm -f "$DX_STATE/xvfb.pid" "$DX_STATE/display"
fi
exit 0
