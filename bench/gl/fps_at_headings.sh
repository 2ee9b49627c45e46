#!/usr/bin/env bash
# The frame rate the game's own counter shows at four headings a quarter turn
# apart from the start position, on an X server of its own (Xvfb): starts the
# game, lets the player land, then at each heading waits for the counter to
# settle and takes a screenshot (heading-N.png in OUT) whose "frames:" line
# is the figure. A measurement for people, not a test.
#
# usage: fps_at_headings.sh GAME DATA OUT
set -euo pipefail

if [ $# -lt 3 ]; then
    sed -n '2,9p' "$0" >&2
    exit 2
fi
game=$(realpath "$1")
data=$(realpath "$2")
out=$(realpath -m "$3")

if [ -z "${QUARRYTOP_FPS_XVFB:-}" ]; then
    export QUARRYTOP_FPS_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

mkdir -p "$out"
cd "$data"
"$game" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    id=$(xdotool search --name '^Quarrytop$' 2>/dev/null | head -1) && [ -n "$id" ] && break
    sleep 0.1
done
xdotool windowfocus "$id" 2>/dev/null || true
sleep 6  # start-up, the fall to the ground, a few counter updates
# A quarter turn: pi/2 over the 0.002 radians a count turns the view.
for heading in 0 1 2 3; do
    sleep 4
    import -window root "$out/heading-$heading.png"
    xdotool mousemove_relative -- 785 0
done
echo "screenshots in $out"
