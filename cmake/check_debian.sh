#!/usr/bin/env bash
# Makes the Debian package in a folder of its own and checks it without
# installing it: exactly the promised files with their modes, the control
# fields, both man pages rendered without a warning, and the programs run
# from the unpacked tree.
# usage: check_debian.sh CPACK BUILD_DIR VERSION PROGRAM...
set -uo pipefail
cpack=$1 build=$(cd "$2" && pwd) version=$3
shift 3
programs=("$@")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
out=$build/deb-check
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

rm -rf "$out"
mkdir -p "$out"
# Under the strictest umask, so that the modes below cannot come from it.
if ! (umask 077 && cd "$build" && "$cpack" -G DEB -B "$out") >"$out/cpack.log" 2>&1; then
  cat "$out/cpack.log" >&2
  fail "cpack could not make the package"
  exit 1
fi
deb=$out/dorvaxil_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { fail "no $(basename "$deb") in $out: $(ls "$out")"; exit 1; }

# The contents: mode and path of every file, owned by root; every folder
# 0755.
want=()
for p in "${programs[@]}"; do
  want+=("-rwxr-xr-x ./usr/bin/$p" "-rw-r--r-- ./usr/share/man/man1/$p.1.gz")
done
want+=("-rw-r--r-- ./usr/share/doc/dorvaxil/dorvaxil.txt" "-rw-r--r-- ./usr/share/doc/dorvaxil/copyright")
for e in "$source_dir"/examples/*.dxs; do
  want+=("-rw-r--r-- ./usr/share/doc/dorvaxil/examples/$(basename "$e")")
done
listing=$(dpkg-deb -c "$deb")
got_files=$(awk '$1 !~ /^d/ {print $1, $6}' <<<"$listing" | sort)
want_files=$(printf '%s\n' "${want[@]}" | sort)
[ "$got_files" = "$want_files" ] || fail "the package holds
$got_files
and should hold
$want_files"
odd=$(awk '($1 ~ /^d/ && $1 != "drwxr-xr-x") || $2 != "root/root"' <<<"$listing")
[ -z "$odd" ] || fail "entries not owned by root or folders not 0755:
$odd"

# The control fields: each row a field and a pattern its value must match.
fields=(
  "Package|^dorvaxil$"
  "Version|^${version//./\\.}$"
  "Architecture|^$(dpkg --print-architecture)$"
  "Section|^utils$"
  "Priority|^optional$"
  "Maintainer|^[^<]+ <[^>]+@[^>]+>$"
  "Description|^plays mouse and key scripts"
)
# A package the programs need, named as dpkg-shlibdeps names it: alone or
# with a version.
needs=(libc6 'libstdc\+\+6')
if [[ " ${programs[*]} " == *" dxplay "* ]]; then
  needs+=(libx11-6 libxtst6 libxrandr2 libxinerama1 libxi6)
fi
for n in "${needs[@]}"; do
  fields+=("Depends|(^|, )$n( \(|,|$)")
done
for row in "${fields[@]}"; do
  name=${row%%|*} pattern=${row#*|}
  value=$(dpkg-deb -f "$deb" "$name" | head -n 1)
  grep -Eq -- "$pattern" <<<"$value" || fail "control field $name is '$value', should match $pattern"
done

root=$out/root
dpkg-deb -x "$deb" "$root"

# Both man pages render at 80 columns without a warning and name the
# version; in a locale every Debian has, so that man says nothing of the
# caller's.
for p in "${programs[@]}"; do
  page=$root/usr/share/man/man1/$p.1.gz
  warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
  [ -z "$warnings" ] || fail "groff warns about $p.1:
$warnings"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>"$out/man.err")
  [ ! -s "$out/man.err" ] || fail "man warns about $p.1: $(cat "$out/man.err")"
  grep -q "Dorvaxil $version" <<<"$text" || fail "man $p does not name Dorvaxil $version"
done

# The unpacked programs run, with no display to reach. Each row: program,
# exit status, a pattern a line of its output matches, its arguments.
example=$root/usr/share/doc/dorvaxil/examples/typical.dxs
runs=(
  "dxsim|0|^RunEnded$|run $example"
  "dxsim|0|$version|--version"
  "dxsim|0|^usage: dxsim run|--help"
  "dxplay|0|$version|--version"
  "dxplay|0|^usage: dxplay run|--help"
  "dxplay|3|needs an X11 server|run $example"
)
for row in "${runs[@]}"; do
  IFS='|' read -r p want_status pattern args <<<"$row"
  [[ " ${programs[*]} " == *" $p "* ]] || continue
  # shellcheck disable=SC2086 # the arguments are words
  output=$(env -u DISPLAY "$root/usr/bin/$p" $args 2>&1)
  status=$?
  [ "$status" -eq "$want_status" ] && grep -Eq -- "$pattern" <<<"$output" ||
    fail "the packaged $p $args ended with status $status and printed
$output"
done

[ $failures -eq 0 ] || exit 1
echo "$(basename "$deb"): $(wc -l <<<"$got_files") files, Depends: $(dpkg-deb -f "$deb" Depends)"
