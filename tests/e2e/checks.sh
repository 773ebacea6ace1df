# shellcheck shell=bash
# Sourced by the shell tests: `. checks.sh <area>`. ok() counts failures; finish() reports and sets the
# exit code.
check_area="$1"
failures=0
ok() {  # ok <description> <command...>: the command must succeed
    local what="$1"
    shift
    if ! "$@"; then
        echo "$check_area: Test failed: $what"
        failures=$((failures + 1))
    fi
}
same() { [ "$1" = "$2" ] || { echo "  expected [$2], got [$1]"; return 1; }; }
finish() {
    echo "$check_area: $failures failures"
    [ "$failures" -eq 0 ]
}
