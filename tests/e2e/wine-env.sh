# Sourced by the end-to-end scripts: `. wine-env.sh <state dir>`. The state dir lives in the build tree
# and holds the Wine prefix and, once setup.sh has run, the X display that the tests share.
KW_STATE_DIR="$1"
export WINEARCH=win32
export WINEPREFIX="$KW_STATE_DIR/wineprefix"
export WINEDEBUG=-all
# Other locales garble umlauts in command-line arguments.
export LANG=C.UTF-8
# No Mono/Gecko install prompts; rasapi32 only as the test DLL in system32 (or not at all).
export WINEDLLOVERRIDES="mscoree,mshtml=;rasapi32=n"
if [ -f "$KW_STATE_DIR/display" ]; then
    DISPLAY="$(cat "$KW_STATE_DIR/display")"
    export DISPLAY
fi

# A Unix path as Wine sees it through drive Z:.
kw_winpath() {
    local p
    p="$(readlink -f "$1")"
    printf 'Z:%s' "${p//\//\\}"
}
