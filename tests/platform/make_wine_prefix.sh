#!/usr/bin/env bash
# Makes a fresh Wine prefix for running the Windows build, and checks that it
# is complete before anything runs in it. Whatever was in PREFIX before is
# removed first, so no run depends on a prefix left by an earlier one.
#
# usage: make_wine_prefix.sh PREFIX
#
# Complete means: wineboot -i ended with status 0, its Wine server (and every
# program it started) has ended, the registry files and the system folder
# are there, and a trivial program (cmd /c exit 0) then runs in the prefix
# with status 0. Only then is PREFIX/quarrytop-prefix-complete written,
# which with_wine.sh looks for. The work runs on an X server of its own.
set -euo pipefail
trap 'echo "make_wine_prefix.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?)" >&2' ERR

if [ $# -ne 1 ]; then
    sed -n '2,12p' "$0" >&2
    exit 2
fi
here=$(dirname "$(realpath "$0")")
if [ -z "${QUARRYTOP_WINE_PREFIX_X:-}" ]; then
    QUARRYTOP_WINE_PREFIX_X=1 exec "$here/with_xvfb.sh" "$0" "$@"
fi

prefix=$(realpath -m "$1")
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINELOADER=/usr/lib/wine/wine64
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
# Generous: the first start of Wine in a new prefix is slow, more so on a
# busy machine; these only keep a broken setup from hanging.
BOOT_SECONDS=600
SERVER_END_SECONDS=120

log() { echo "[$(date +%T)] make_wine_prefix.sh: $*"; }
fail() {
    log "FAIL: $*" >&2
    exit 1
}
show() {  # show FILE: a command's output, for the reader of a failure
    if [ -s "$1" ]; then
        echo "--- $1:" >&2
        tail -n 60 "$1" >&2
    fi
}

# A server left running for this prefix (by a run that was killed) would
# carry the display of its own run; end it before the prefix goes.
if [ -d "$prefix" ]; then
    if "$wineserver" -k 2>/dev/null; then
        log "ended a Wine server left running for $prefix"
    fi
    timeout "$SERVER_END_SECONDS" "$wineserver" -w ||
        fail "a Wine server left running for $prefix did not end within $SERVER_END_SECONDS s"
fi

log "making the Wine prefix $prefix on display $DISPLAY"
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
logs=$(mktemp -d "${TMPDIR:-/tmp}/quarrytop-wineboot.XXXXXX")
trap 'rm -rf "$logs"' EXIT
status=0
timeout "$BOOT_SECONDS" "$wine" wineboot -i >"$logs/wineboot.txt" 2>&1 || status=$?
if [ $status -ne 0 ]; then
    show "$logs/wineboot.txt"
    fail "wineboot -i ended with status $status (124: it took more than $BOOT_SECONDS s)"
fi
# wineboot returns before the programs it started (and its server) end.
timeout "$SERVER_END_SECONDS" "$wineserver" -w ||
    fail "the Wine server of wineboot -i did not end within $SERVER_END_SECONDS s"

for file in system.reg user.reg userdef.reg drive_c/windows/system32/kernel32.dll; do
    [ -e "$prefix/$file" ] || { show "$logs/wineboot.txt"; fail "the new prefix has no $file"; }
done

status=0
timeout "$BOOT_SECONDS" "$wine" cmd /c exit 0 >"$logs/cmd.txt" 2>&1 || status=$?
if [ $status -ne 0 ]; then
    show "$logs/cmd.txt"
    fail "cmd /c exit 0 ended with status $status in the new prefix"
fi
timeout "$SERVER_END_SECONDS" "$wineserver" -w ||
    fail "the Wine server of cmd /c exit 0 did not end within $SERVER_END_SECONDS s"

touch "$prefix/quarrytop-prefix-complete"
log "the Wine prefix $prefix is complete"
