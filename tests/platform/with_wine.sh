#!/usr/bin/env bash
# Runs a command that runs Windows programs under Wine, once their Wine
# prefix is complete and its Wine server and desktop are up on this X
# display; afterwards the server and everything in it are ended. The
# command's exit status is this script's.
#
# usage: with_wine.sh PREFIX DESKTOP_PROBE COMMAND [ARGUMENTS...]
#   PREFIX         a prefix made by make_wine_prefix.sh
#   DESKTOP_PROBE  the build's wine_desktop_probe.exe
#
# DISPLAY must name the X server to use (see with_xvfb.sh). The command gets
# WINEPREFIX, WINELOADER, WINEDEBUG and WINEDLLOVERRIDES in its environment.
#
# Why: the Wine server and its desktop process belong to the display they
# were started on, and a program that needs a window while the desktop is
# still starting (slow on a busy machine) gets none. So the server is made
# persistent here, on this display, and a probe program holds a window for
# as long as the command runs, which keeps the desktop up; the command
# starts only once the probe has its window.
set -euo pipefail
trap 'echo "with_wine.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?)" >&2' ERR

if [ $# -lt 3 ]; then
    sed -n '2,13p' "$0" >&2
    exit 2
fi
prefix=$(realpath -m "$1")
probe=$(realpath -m "$2")
shift 2

log() { echo "[$(date +%T)] with_wine.sh: $*"; }
fail() {
    log "FAIL: $*" >&2
    exit 1
}
[ -n "${DISPLAY:-}" ] || fail "DISPLAY is not set; run this under with_xvfb.sh"
[ -f "$prefix/quarrytop-prefix-complete" ] ||
    fail "$prefix is not a complete Wine prefix; make it first with make_wine_prefix.sh"
[ -f "$probe" ] || fail "no desktop probe at $probe (the Windows build's wine_desktop_probe.exe)"

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINELOADER=/usr/lib/wine/wine64
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# Generous: these only keep a broken setup from hanging.
DESKTOP_SECONDS=300
SERVER_END_SECONDS=120

stop_server() {
    timeout "$SERVER_END_SECONDS" "$wineserver" -w ||
        fail "the Wine server of $prefix did not end within $SERVER_END_SECONDS s"
}

# A server already running for this prefix (left by a run that was killed)
# would carry another display.
if "$wineserver" -k 2>/dev/null; then
    log "ended a Wine server left running for $prefix"
fi
stop_server

logs=$(mktemp -d "${TMPDIR:-/tmp}/quarrytop-wine.XXXXXX")
holder_pid=""
finish() {
    local status=$?
    trap - ERR
    "$wineserver" -k 2>/dev/null || true  # no server left is fine here
    if [ -n "$holder_pid" ]; then
        wait "$holder_pid" 2>/dev/null || true  # ended by the -k above
    fi
    timeout "$SERVER_END_SECONDS" "$wineserver" -w || {
        echo "with_wine.sh: the Wine server of $prefix did not end within $SERVER_END_SECONDS s" >&2
        status=1
    }
    rm -rf "$logs"
    exit $status
}
trap finish EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# The server returns once it accepts connections; -p keeps it up between
# programs until it is ended.
"$wineserver" -p

# The desktop: started by the probe's window, kept by it. A probe that gets
# no window (the desktop still starting) is started again.
deadline=$((SECONDS + DESKTOP_SECONDS))
attempt=0
while :; do
    attempt=$((attempt + 1))
    "$wine" "$probe" hold >"$logs/probe.out" 2>"$logs/probe.err" &
    holder_pid=$!
    while kill -0 "$holder_pid" 2>/dev/null && ! grep -q ready "$logs/probe.out"; do
        [ $SECONDS -lt $deadline ] || fail "no window could be made within $DESKTOP_SECONDS s on $DISPLAY"
        sleep 0.2
    done
    grep -q ready "$logs/probe.out" && break
    status=0
    wait "$holder_pid" || status=$?
    holder_pid=""
    log "attempt $attempt: the desktop probe ended with status $status: $(tr -d '\r' <"$logs/probe.err")"
    [ $SECONDS -lt $deadline ] || fail "no window could be made within $DESKTOP_SECONDS s on $DISPLAY"
    sleep 1
done
log "Wine server and desktop are up for $prefix on $DISPLAY (attempt $attempt)"

status=0
"$@" || status=$?
exit $status
