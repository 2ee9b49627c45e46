#!/usr/bin/env bash
# Runs a command on an X server of its own (Xvfb, 1280x1024, 24 bits) and
# stops the server afterwards; the command's exit status is this script's.
#
# usage: with_xvfb.sh COMMAND [ARGUMENTS...]
#
# The server picks a free display number itself (-displayfd) and reports it
# once it accepts connections, so two runs started at the same moment never
# pick the same display, and the command never starts before its server is
# ready. (xvfb-run -a guesses a number from the lock files in /tmp first.)
set -euo pipefail
trap 'echo "with_xvfb.sh: line $LINENO: \"$BASH_COMMAND\" failed (status $?)" >&2' ERR

if [ $# -lt 1 ]; then
    sed -n '2,10p' "$0" >&2
    exit 2
fi

READY_SECONDS=120

dir=$(mktemp -d "${TMPDIR:-/tmp}/quarrytop-xvfb.XXXXXX")
xvfb_pid=""
stop_server() {
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid"
        wait "$xvfb_pid" 2>/dev/null || true  # its status is that of the kill
    fi
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$dir/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
xvfb_pid=$!

# The read ends with the display number once the server is ready, or empty
# if the server ended (closing its end of the pipe) or took too long.
display=""
read -r -t "$READY_SECONDS" display <"$dir/display" || true
if ! [[ "$display" =~ ^[0-9]+$ ]]; then
    echo "with_xvfb.sh: Xvfb did not report a display within $READY_SECONDS s; its output:" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$display"
unset XAUTHORITY
status=0
"$@" || status=$?
exit $status
