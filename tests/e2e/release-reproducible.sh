#!/bin/bash
# The release is the same, byte for byte, whoever builds it: the commit of this tree is built twice, in
# two clones that differ in folder, file times, time zone, umask and locale, the cross build made only as
# far as the release needs it, and the two SHA256SUMS and files must agree.
# Usage: release-reproducible.sh <work dir>
# No -e: each check's result goes to ok(), and the script goes on to say what differs.
set -uo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
work="$1"
. "$KW_ROOT/tests/e2e/checks.sh" release-reproducible
commit="$(git -C "$KW_ROOT" rev-parse HEAD)" || exit 1
git -C "$KW_ROOT" diff --quiet HEAD || echo "note: the tree has changes that are not committed; this builds $commit"
rm -rf "$work"
mkdir -p "$work"

# build <folder> <time zone> <umask> <file time>: clones the commit into the folder and makes the release
# there, in dist/.
build() {
    local dir="$1"
    git clone -q --no-checkout "$KW_ROOT" "$dir" && git -C "$dir" checkout -q "$commit" || return 1
    find "$dir" -path "$dir/.git" -prune -o -exec touch -h -d "$4" {} + || return 1
    (
        umask "$3"
        export TZ="$2" LANG=de_DE.UTF-8 LC_ALL=
        unset SOURCE_DATE_EPOCH
        cmake -S "$dir" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$dir/cmake/mingw-i686.cmake" \
            -DCMAKE_BUILD_TYPE=Release >"$dir.log" 2>&1 &&
            cmake --build "$dir/build" --target kopplungswacht -j"$(nproc)" >>"$dir.log" 2>&1 &&
            "$dir/tools/release/release.sh" "$dir/build" "$dir/dist" >>"$dir.log" 2>&1
    ) || { tail -n 20 "$dir.log"; return 1; }
}

ok "the first build" build "$work/a" UTC 022 "2001-02-03 04:05:06"
ok "the second build, elsewhere, later, in another zone" \
    build "$work/the-second-folder-with-a-longer-name" Pacific/Kiritimati 077 "now"
a="$work/a/dist"
b="$work/the-second-folder-with-a-longer-name/dist"
ok "the same SHA256SUMS" cmp "$a/SHA256SUMS" "$b/SHA256SUMS"
exe=build/src/platform/win32/kopplungswacht.exe
for f in "$a"/* "$work/a/$exe"; do
    other="$b/${f##*/}"
    [ "$f" != "$work/a/$exe" ] || other="$work/the-second-folder-with-a-longer-name/$exe"
    ok "the same ${f##*/}" cmp "$f" "$other"
    # The first bytes that differ (offset, octal values) show what varies.
    cmp -s "$f" "$other" || cmp -l "$f" "$other" 2>/dev/null | head -n 8
done
ok "the exe has no time stamp" \
    same "$(TZ=UTC i686-w64-mingw32-objdump -p "$work/a/$exe" | sed -n 's/^Time\/Date[[:space:]]*//p')" \
    "Thu Jan  1 00:00:00 1970"
cat "$a/SHA256SUMS"
finish
