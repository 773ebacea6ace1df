#!/usr/bin/env bash
# Builds what a Windows user downloads, from the cross build's kopplungswacht.exe:
#   kopplungswacht-<version>-setup.exe     the installer (NSIS)
#   kopplungswacht-<version>-portable.zip  the exe, LIESMICH.txt and LIZENZ.txt
#   SHA256SUMS                             for both
# Usage: release.sh <cross build dir> <output dir>
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
here="$root/tools/release"
win="$1"
out="$2"
exe="$win/src/platform/win32/kopplungswacht.exe"
[ -f "$exe" ] || { echo "missing $exe: build the cross build first"; exit 1; }

# The version lives in one place, beside the program's title.
version_part() { sed -n "s/.*$1 = \([0-9][0-9]*\);.*/\1/p" "$root/src/app/program_info.h"; }
version="$(version_part kVersionMajor).$(version_part kVersionMinor).$(version_part kVersionRevision)"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "could not read the version from program_info.h"; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/kopplungswacht.exe"
# Notepad on older Windows needs CR LF, and the byte-order mark to read the umlauts as UTF-8.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$here/LIESMICH.txt"; } >"$stage/LIESMICH.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LIZENZ.txt"

mkdir -p "$out"
setup="kopplungswacht-$version-setup.exe"
zip="kopplungswacht-$version-portable.zip"
rm -f "$out"/kopplungswacht-*-setup.exe "$out"/kopplungswacht-*-portable.zip "$out/SHA256SUMS"

makensis -V2 -WX -NOCD -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DVERSION4="$version.0" \
    -DEXE="$stage/kopplungswacht.exe" -DICON="$root/src/platform/win32/kopplungswacht.ico" \
    -DLIESMICH="$stage/LIESMICH.txt" -DLIZENZ="$stage/LIZENZ.txt" -DOUTFILE="$out/$setup" \
    "$here/kopplungswacht.nsi"

# -X: no Unix owners and permissions in the archive; Windows has no use for them.
(cd "$stage" && zip -q -X -9 "$out/$zip" kopplungswacht.exe LIESMICH.txt LIZENZ.txt)
(cd "$out" && sha256sum "$setup" "$zip" >SHA256SUMS)

echo "release $version in $out:"
(cd "$out" && ls -l "$setup" "$zip" SHA256SUMS)
