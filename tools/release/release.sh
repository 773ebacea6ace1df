#!/usr/bin/env bash
# Builds what a Windows user downloads, from the cross build's kopplungswacht.exe:
#   kopplungswacht-<version>-setup.exe     the installer (NSIS)
#   kopplungswacht-<version>-portable.zip  the exe, LIESMICH.txt and LIZENZ.txt
#   SHA256SUMS                             for both
# The same commit gives the same bytes, whatever the folder, the clock or the user: every date in the
# files is the commit's (SOURCE_DATE_EPOCH, taken from git unless it is set), and the packed files carry
# fixed names, order, times and permissions.
# Usage: release.sh <cross build dir> <output dir>
set -euo pipefail
. "$(dirname "$0")/../lib.sh"
here="$KW_ROOT/tools/release"
win="$1"
out="$2"
exe="$win/src/platform/win32/kopplungswacht.exe"
[ -f "$exe" ] || { echo "missing $exe: build the cross build first"; exit 1; }
version="$(kw_version)"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH="$(git -C "$KW_ROOT" log -1 --format=%ct)" ||
        { echo "not a git checkout: set SOURCE_DATE_EPOCH to the release's date (seconds since 1970)"; exit 1; }
fi
export SOURCE_DATE_EPOCH
# Zip stores local times; the commit's time is the same everywhere in UTC.
export TZ=UTC

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/kopplungswacht.exe"
# Notepad on older Windows needs CR LF, and the byte-order mark to read the umlauts as UTF-8.
{
    printf '\xef\xbb\xbf'
    title="Kopplungswacht ${version%.*}"
    printf '%s\n%s\n\n' "$title" "${title//?/=}"
    cat "$here/LIESMICH.txt"
} | sed 's/$/\r/' >"$stage/LIESMICH.txt"
sed 's/$/\r/' "$KW_ROOT/LICENSE" >"$stage/LIZENZ.txt"
chmod 0644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

mkdir -p "$out"
out="$(cd "$out" && pwd)"
setup="kopplungswacht-$version-setup.exe"
zip="kopplungswacht-$version-portable.zip"
rm -f "$out"/kopplungswacht-*-setup.exe "$out"/kopplungswacht-*-portable.zip "$out/SHA256SUMS"

makensis -V2 -WX -NOCD -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DVERSION4="$version.0" \
    -DEXE="$stage/kopplungswacht.exe" -DICON="$KW_ROOT/src/platform/win32/kopplungswacht.ico" \
    -DLIESMICH="$stage/LIESMICH.txt" -DLIZENZ="$stage/LIZENZ.txt" -DOUTFILE="$out/$setup" \
    "$here/kopplungswacht.nsi"

# -X: no Unix owners and extra times in the archive; -D: no folder entries. The names in a fixed order.
(cd "$stage" && zip -q -X -D -9 "$out/$zip" kopplungswacht.exe LIESMICH.txt LIZENZ.txt)
(cd "$out" && sha256sum "$setup" "$zip" >SHA256SUMS)

echo "release $version in $out:"
(cd "$out" && ls -l "$setup" "$zip" SHA256SUMS)
