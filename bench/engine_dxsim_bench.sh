#!/usr/bin/env bash
# Lines per second of scripts without DELAY through the dxsim program, its
# output discarded, for scripts of 10, 1,000 and 100,000 lines.
# Usage: bench/engine_dxsim_bench.sh BUILD_DIR   (a build without sanitizers)
set -euo pipefail
build=${1:?build directory}
dxsim="$build/tools/dxsim/dxsim"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
lines_to_run=1000000

make_script() {  # length file
  python3 - "$1" "$2" <<'PY'
import sys
n, path = int(sys.argv[1]), sys.argv[2]
body = ["MOUSE GO 1", "MOUSE LC", "KEY $41 PRESS", "LONG a", "GETCOLOR a 1",
        "LOOP 2", "  comment line", "ENDLOOP", "KEY #01 UP", "MOUSE GO .640.480"]
code = [body[i % 10] for i in range(n)]
head = ["Dorvaxil script", "version: 1.0", "", "notes: $0000", "", "keys", "01: $10", "endkeys", "",
        "locations", "01: $064,$0C8", "endlocations", "", "code: $%04X" % n]
open(path, "wb").write(("\r\n".join(head + code) + "\r\n").encode())
PY
}

echo "dxsim, output discarded, $lines_to_run lines run per script"
for n in 10 1000 100000; do
  make_script "$n" "$work/s.dxs"
  start=$(date +%s.%N)
  "$dxsim" run "$work/s.dxs" --max-lines "$lines_to_run" > /dev/null
  end=$(date +%s.%N)
  python3 -c "print('%7d-line script: %12.0f lines/s' % ($n, $lines_to_run / ($end - $start)))"
done
