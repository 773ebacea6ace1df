#!/bin/bash
# clang-tidy over src/ with the checks of .clang-tidy, where any finding fails: the portable code with the
# host build's compile commands, the Win32 layer with the cross build's, for the mingw target with the
# cross compiler's own C++ headers. Prints the findings; the exit status says whether there were any.
# Usage: tools/tidy.sh <host build dir> <cross build dir>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
host="$1" win="$2"
for dir in "$host" "$win"; do
    [ -f "$dir/compile_commands.json" ] || { echo "no $dir/compile_commands.json: configure it first"; exit 1; }
done
cd "$root"
mapfile -t core < <(find src -name '*.cpp' ! -path 'src/platform/win32/*' | sort)
mapfile -t win32 < <(find src/platform/win32 -name '*.cpp' | sort)
# The cross compiler's search path, as clang does not know it for this target.
extra=(--extra-arg=--target=i686-w64-mingw32)
while read -r dir; do
    extra+=(--extra-arg=-isystem"$dir")
done < <(i686-w64-mingw32-g++-posix -E -x c++ - -v </dev/null 2>&1 |
    sed -n '/#include <...> search starts here/,/End of search list/{s/^ //p}' | grep '^/')
status=0
run() {
    local out
    out="$(clang-tidy --quiet "$@" 2>&1)" || status=1
    # clang-tidy reports how many warnings it suppressed in headers outside src/: noise, not findings.
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' \
        <<<"$out" || true
}
run -p "$host" "${core[@]}"
run -p "$win" "${extra[@]}" "${win32[@]}"
if [ "$status" -eq 0 ]; then
    echo "clang-tidy: ${#core[@]} portable and ${#win32[@]} Win32 files, no findings"
fi
exit "$status"
