# shellcheck shell=bash
# Sourced by the project's scripts (`. tools/lib.sh`): the steps that the tests, the demo, `make run` and
# the bench share. Waiting for Wine and the virtual display polls the condition itself, with a time
# limit, never a fixed pause.

KW_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# wait_for SECONDS COMMAND [ARG]...: runs the command every 50 ms until it succeeds (0) or the seconds
# have passed (1).
wait_for() {
    local limit="$1"
    shift
    local end=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.05
    done
}

# kw_number HEADER NAME: the number that HEADER (a path in the project) defines as NAME.
kw_number() {
    local value
    value="$(sed -n "s/^#define $2 \([0-9][0-9]*\)$/\1/p" "$KW_ROOT/$1")"
    [ -n "$value" ] || { echo "$1 has no number $2" >&2; return 1; }
    echo "$value"
}

# The version of src/app/version.h as major.minor.revision.
kw_version() {
    local part value version=""
    for part in MAJOR MINOR REVISION; do
        value="$(kw_number src/app/version.h "KW_VERSION_$part")" || return 1
        version="${version:+$version.}$value"
    done
    echo "$version"
}

# kw_bench_target NAME: a target of bench/targets.h (KW_TARGET_NAME), such as DROP_TO_EXIT_MEDIAN_MS.
kw_bench_target() { kw_number bench/targets.h "KW_TARGET_$1"; }

# kw_exchange NAME: a name of tests/e2e/win/exchange.h (C:\kwtest and the files in it) as the C side sees it,
# its literals joined and their backslashes unescaped.
kw_exchange() {
    local body token tokens value=""
    body="$(sed -n "s/^#define $1 \(.*\)$/\1/p" "$KW_ROOT/tests/e2e/win/exchange.h")"
    [ -n "$body" ] || { echo "tests/e2e/win/exchange.h has no $1" >&2; return 1; }
    read -ra tokens <<<"$body"
    for token in "${tokens[@]}"; do
        case "$token" in
            \"*\")
                token="${token#\"}"
                token="${token%\"}"
                value+="${token//\\\\/\\}"
                ;;
            *) value+="$(kw_exchange "$token")" || return 1 ;;
        esac
    done
    echo "$value"
}

# kw_exchange_path PREFIX NAME: where the file or folder NAME of tests/e2e/win/exchange.h lies in the Wine
# prefix PREFIX, as a Unix path.
kw_exchange_path() {
    local value
    value="$(kw_exchange "$2")" || return 1
    [[ "$value" == 'C:\'* ]] || { echo "$2 is no path on drive C: [$value]" >&2; return 1; }
    value="${value#C:\\}"
    echo "$1/drive_c/${value//\\//}"
}

# A Unix path as Wine sees it through drive Z:.
kw_winpath() {
    local p
    p="$(readlink -f "$1")"
    printf 'Z:%s' "${p//\//\\}"
}

# kw_wine_env PREFIX [RASAPI32]: the environment of a 32-bit Wine prefix. RASAPI32 is the load order of
# the remote-access DLL: n for the test DLL copied into system32, b for Wine's own; none leaves Wine's own.
kw_wine_env() {
    # Wine takes only an absolute prefix.
    WINEPREFIX="$(realpath -m "$1")"
    export WINEARCH=win32 WINEPREFIX WINEDEBUG=-all
    # Other locales garble umlauts in command-line arguments.
    export LANG=C.UTF-8
    # No Mono/Gecko install prompts.
    export WINEDLLOVERRIDES="mscoree,mshtml=${2:+;rasapi32=$2}"
}

# kw_fixture_env STATE: the environment of the end-to-end tests' shared fixture, which tests/e2e/setup.sh
# makes in the folder STATE of the build tree: its Wine prefix with the test remote-access DLL and, once set
# up, its display.
kw_fixture_env() {
    kw_wine_env "$1/wineprefix" n
    if [ -f "$1/display" ]; then
        DISPLAY="$(cat "$1/display")"
        export DISPLAY
    fi
}

# kw_run_driver DRIVER AREA PROGRAM [ARG]...: runs an area of a test driver (kwtest.exe, kwbench.exe) on the
# program under Wine in the environment set up, stopped after KW_E2E_TIMEOUT seconds (default 120).
kw_run_driver() {
    local driver="$1" area="$2" program="$3"
    shift 3
    timeout -k 5 "${KW_E2E_TIMEOUT:-120}" wine "$driver" "$area" "$(kw_winpath "$program")" "$@" </dev/null
}

# kw_start_xvfb LOG: starts Xvfb on the first free display from :91 on and exports DISPLAY once it listens
# (its socket is there). KW_XVFB_PID is its process. setsid and a file instead of a pipe: ctest waits for
# every process that holds its output pipe.
kw_start_xvfb() {
    local log="$1" n socket
    for n in $(seq 91 140); do
        [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] || continue
        setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 </dev/null &
        KW_XVFB_PID=$!
        socket="/tmp/.X11-unix/X$n"
        # A display taken meanwhile by another run ends this Xvfb: then the next number.
        wait_for 10 kw_listens_or_ended "$socket" || true
        if [ -S "$socket" ] && kill -0 "$KW_XVFB_PID" 2>/dev/null; then
            export DISPLAY=":$n"
            return 0
        fi
        kill "$KW_XVFB_PID" 2>/dev/null || true
    done
    echo "no virtual display could be started; the last try said:"
    cat "$log"
    return 1
}
kw_listens_or_ended() { [ -S "$1" ] || ! kill -0 "$KW_XVFB_PID" 2>/dev/null; }

# kw_wine_fixture LOG [OPTION]...: readies the Wine prefix of kw_wine_env for a session, its output in LOG:
# made if it is not there yet, with the fonts, its exchange folder (tests/e2e/win/exchange.h) and no Wine
# process left running, so that what is set here takes effect. The options, in the order they are carried out:
#   --xvfb XVFB_LOG   a virtual display first (kw_start_xvfb)
#   --unmanaged       for a display without a window manager: a new prefix does not wait 2 s whenever a
#                     window hides
#   --desktop on|off  Wine's own desktop with a taskbar, 1024x768, or the windows on the display itself
#   --dll DLL         DLL copied into the system directory (the test rasapi32.dll), in place of any copy
#                     that an interrupted area had moved away
#   --server SERVER_LOG  one wineserver kept for the whole session (wineserver -p), its output in SERVER_LOG
#   --warmup DRIVER   then the session's desktop and services started by DRIVER (kwtest.exe warmup), with
#                     their output in LOG: whatever holds a test runner's output pipe keeps it waiting
kw_wine_fixture() {
    local log="$1" xvfb="" unmanaged="" desktop="" dll="" server="" warmup="" sysdir
    shift
    while [ "$#" -gt 0 ]; do
        case "$1" in
            --unmanaged) unmanaged=1 && shift ;;
            --xvfb | --desktop | --dll | --server | --warmup)
                [ "$#" -ge 2 ] || { echo "kw_wine_fixture: $1 needs a value" >&2; return 2; }
                case "$1" in
                    --xvfb) xvfb="$2" ;;
                    --desktop) desktop="$2" ;;
                    --dll) dll="$2" ;;
                    --server) server="$2" ;;
                    --warmup) warmup="$2" ;;
                esac
                shift 2
                ;;
            *) echo "kw_wine_fixture: unknown option $1" >&2 && return 2 ;;
        esac
    done
    if [ -n "$xvfb" ]; then
        kw_start_xvfb "$xvfb" || return 1
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >>"$log" 2>&1 </dev/null || return 1
        if [ -n "$unmanaged" ]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 </dev/null || return 1
        fi
    fi
    kw_wine_fonts >>"$log" 2>&1 </dev/null || return 1
    case "$desktop" in
        on)
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
                wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
            ;;
        off) wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f || true ;;
        "") ;;
        *) echo "kw_wine_fixture: --desktop on or off, not $desktop" >&2 && return 2 ;;
    esac >>"$log" 2>&1 </dev/null || return 1
    if [ -n "$dll" ]; then
        sysdir="$WINEPREFIX/drive_c/windows/system32"
        rm -f "$sysdir/$(basename "$dll")$(kw_exchange KWT_AWAY_SUFFIX)"
        cp "$dll" "$sysdir/" || return 1
    fi
    mkdir -p "$(kw_exchange_path "$WINEPREFIX" KWT_OUT_DIR)" || return 1
    # Processes that are already running (explorer) keep the old settings until the server goes, and a
    # server kept for the session must be the only one.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    if [ -n "$server" ]; then
        setsid wineserver -p >"$server" 2>&1 </dev/null &
        if [ -n "$warmup" ]; then
            setsid wine "$warmup" warmup >>"$log" 2>&1 </dev/null || return 1
        fi
    fi
}

# The fonts the window is laid out for, once per prefix.
#
# The window is laid out at 96 DPI for the classic 8-point dialog font, MS Sans Serif, which Wine does not
# have: it draws "MS Shell Dlg" in its own Tahoma. Wine measures Tahoma by its outlines, which are wider
# than its bitmaps at this size, so word wrapping and centring cut "Fenster minimieren" in its button and
# wrap "Nach Einwahlbeginn so viele Sekunden warten:" in its label. Of the fonts Debian has, FreeSans
# (fonts-freefont-ttf) comes closest to MS Sans Serif's widths at 8 points, and both texts fit. The
# settings take effect for processes started after the prefix's wineserver is gone (kw_wine_fixture).
kw_wine_fonts() {
    local stamp="$WINEPREFIX/.kopplungswacht-fonts" fonts="$WINEPREFIX/drive_c/windows/Fonts" name
    [ ! -f "$stamp" ] || return 0
    # Debian's Wine does not find the fonts of fonts-wine by itself; Marlett draws the caption buttons.
    cp /usr/share/wine/fonts/*.ttf "$fonts/"
    cp /usr/share/fonts/truetype/freefont/FreeSans.ttf /usr/share/fonts/truetype/freefont/FreeSansBold.ttf "$fonts/"
    # A substitute applies even where the named font exists (Wine's Tahoma does), and the bold caption font
    # follows to FreeSans Bold.
    for name in "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "Tahoma"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$name" /d FreeSans /f \
            >/dev/null 2>&1 </dev/null
    done
    touch "$stamp"
}

# kw_screenshot OUT.png: a picture of the whole display once its drawing has settled, that is when two
# captures in a row are the same (at most 10 s; then the last one).
kw_screenshot() {
    local out="$1" dir
    dir="$(mktemp -d)"
    import -display "$DISPLAY" -window root "ppm:$dir/a"
    wait_for 10 kw_screen_settled "$dir" || echo "the display kept changing for 10 s: $out is the last picture"
    convert "ppm:$dir/a" "$out"
    rm -rf "$dir"
}
kw_screen_settled() {
    import -display "$DISPLAY" -window root "ppm:$1/b" || return 1
    cmp -s "$1/a" "$1/b" && return 0
    mv "$1/b" "$1/a"
    return 1
}
