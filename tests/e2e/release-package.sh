#!/bin/bash
# What `make release` put into dist/, checked on Linux: the checksums, the zip's exact contents, the
# installer as a Windows program (32-bit GUI, version resource, the program's icon), and that the program,
# its manifest, the installer and the file names all carry the version of src/app/version.h.
# Usage: release-package.sh <dist dir> <kopplungswacht.exe of the cross build> <kopplungswacht.ico>
# No -e: each check's result goes to ok(), and the script goes on to check the rest.
set -uo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
dist="$1" exe="$2" ico="$3"
version="$(kw_version)" || exit 1
IFS=. read -r major minor revision <<<"$version"
setup="$dist/kopplungswacht-$version-setup.exe"
zip="$dist/kopplungswacht-$version-portable.zip"
. "$KW_ROOT/tests/e2e/checks.sh" release-package

for f in "$setup" "$zip" "$dist/SHA256SUMS"; do
    [ -f "$f" ] || { echo "missing $f: run make release first"; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

ok "SHA256SUMS names exactly the installer and the zip" \
    same "$(awk '{print $2}' "$dist/SHA256SUMS" | tr '\n' ' ')" \
    "kopplungswacht-$version-setup.exe kopplungswacht-$version-portable.zip "
ok "SHA256SUMS matches the files" bash -c "cd '$dist' && sha256sum --quiet -c SHA256SUMS"

ok "the zip holds exactly the exe, LIESMICH.txt and LIZENZ.txt" \
    same "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')" "LIESMICH.txt LIZENZ.txt kopplungswacht.exe "
unzip -q "$zip" -d "$work/zip"
ok "the zip's exe is the one built" cmp "$work/zip/kopplungswacht.exe" "$exe"
ok "LIESMICH.txt is UTF-8 with a byte-order mark" \
    same "$(head -c 3 "$work/zip/LIESMICH.txt" | od -An -tx1 | tr -d ' ')" "efbbbf"
ok "LIESMICH.txt has Windows line ends" \
    same "$(grep -c $'\r$' "$work/zip/LIESMICH.txt")" "$(wc -l <"$work/zip/LIESMICH.txt")"
ok "LIESMICH.txt says where the settings are" grep -q 'HKEY_CURRENT_USER\\Software\\Kopplungswacht' "$work/zip/LIESMICH.txt"
ok "LIZENZ.txt is the MIT licence of the project" \
    same "$(head -3 "$work/zip/LIZENZ.txt" | tr -d '\r' | tr '\n' '|')" "MIT License||Copyright (c) 2026 Kopplungswacht-Projekt|"

# The installer as Windows sees it.
ok "the installer is a 32-bit PE program" \
    same "$(i686-w64-mingw32-objdump -f "$setup" | sed -n 's/.*file format //p')" "pei-i386"
ok "the installer is a GUI program" \
    same "$(i686-w64-mingw32-objdump -p "$setup" | awk '/^Subsystem/ {print $2}')" "00000002"
# Version resource: the fixed part (after the signature FEEF04BD: struct version, then file MS/LS and
# product MS/LS, the four words taken here) and the strings, UTF-16 pairs of name and value.
fixed_version() {
    wrestool -x --raw -t 16 "$1" | od -An -v -tx4 | tr -s ' \n' ' ' |
        grep -o 'feef04bd [0-9a-f]* [0-9a-f]* [0-9a-f]* [0-9a-f]* [0-9a-f]*' | cut -d ' ' -f 3-6
}
expected_fixed="$(printf '%04x%04x %04x0000 %04x%04x %04x0000' \
    "$major" "$minor" "$revision" "$major" "$minor" "$revision")"
wrestool -x --raw -t 16 "$setup" >"$work/version.bin"
ok "the installer's version is $version.0" same "$(fixed_version "$setup")" "$expected_fixed"
# The name words of each entry come out as stray characters before the name.
strings_of() { iconv -f UTF-16LE -t UTF-8 -c "$1" | tr '\0' '\n' | grep -a -v '^$'; }
value_of() { strings_of "$1" | grep -a -A1 "$2\$" | tail -1; }
ok "installer ProductName" same "$(value_of "$work/version.bin" ProductName)" "Kopplungswacht"
ok "installer ProductVersion" same "$(value_of "$work/version.bin" ProductVersion)" "$version"
ok "installer CompanyName" same "$(value_of "$work/version.bin" CompanyName)" "Kopplungswacht-Projekt"
ok "installer LegalCopyright" same "$(value_of "$work/version.bin" LegalCopyright)" "Copyright © 2026 Kopplungswacht-Projekt, MIT-Lizenz"
ok "installer FileDescription" same "$(value_of "$work/version.bin" FileDescription)" "Installationsprogramm für Kopplungswacht"
ok "the installer's version resource is German (0407)" \
    same "$(wrestool -l -t 16 "$setup" | grep -o 'language=[0-9]*')" "language=1031"
# The program's own copyright line names the same holder under the same licence.
wrestool -x --raw -t 16 "$exe" >"$work/exe-version.bin"
ok "program LegalCopyright" \
    same "$(value_of "$work/exe-version.bin" LegalCopyright)" \
    "Copyright © 2026 Kopplungswacht-Projekt, MIT-Lizenz"
# The program's version in its version resource and its manifest: the numbers, and the strings with the
# minor number in two digits.
ok "the program's version is $version.0" same "$(fixed_version "$exe")" "$expected_fixed"
ok "program FileVersion" same "$(value_of "$work/exe-version.bin" FileVersion)" "$(printf '%d.%02d' "$major" "$minor")"
ok "program ProductVersion" same "$(value_of "$work/exe-version.bin" ProductVersion)" "$(printf '%d.%02d' "$major" "$minor")"
ok "the manifest's version is $version.0" \
    same "$(wrestool -x --raw -t 24 "$exe" | sed -n 's/.*name="Kopplungswacht" version="\([0-9.]*\)".*/\1/p')" \
    "$version.0"
# What the program imports: Windows' known DLLs (never searched for, so never taken from the program's
# folder), and comctl32, which the manifest binds to the system's side-by-side copy. Everything else it
# loads at run time from the system directory.
ok "the program imports only known DLLs and comctl32" \
    same "$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]' | LC_ALL=C sort |
        tr '\n' ' ')" "advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll "
ok "the manifest binds comctl32 version 6" \
    grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <(wrestool -x --raw -t 24 "$exe")
# The installer's icon is the program's: same images, byte for byte (the installer pads its slots).
wrestool -x -t 14 "$setup" -o "$work/setup.ico"
ok "the installer's icon has the program's two images" \
    same "$(icotool -l "$work/setup.ico" | tr '\n' ' ')" \
    "--icon --index=1 --width=32 --height=32 --bit-depth=4 --palette-size=16 --icon --index=2 --width=16 --height=16 --bit-depth=4 --palette-size=16 "
ok "the installer's icon images are the program's" cmp -n "$(stat -c %s "$ico")" "$work/setup.ico" "$ico"

finish
