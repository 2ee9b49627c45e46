#!/usr/bin/env bash
# The Linux game's window resized from outside, as a window manager does it
# (xdotool windowsize, on an X server of its own): the next frames fill the
# new client area (the sky at both top corners; the ground below turns dark
# at night, the sky's colour never changes) with the counters where the text
# layer puts them (a frame drawn for another size puts them elsewhere), and
# the same once the window is back at 800 x 600; then Escape ends the game
# with 0.
#
# usage: resize_window.sh GAME DATA WORK
#   GAME  the Linux game executable
#   DATA  the folder holding tex/ and mdl/
#   WORK  a folder for this run's screenshots and output (emptied first);
#         WORK/1024x768-client.png is the window at 1024 x 768
#
# Every wait polls against a deadline: nothing here depends on speed.
set -euo pipefail

if [ $# -ne 3 ]; then
    sed -n '2,16p' "$0" >&2
    exit 2
fi
game=$(realpath "$1")
data=$(realpath "$2")
work=$3

if [ -z "${QUARRYTOP_RESIZE_XVFB:-}" ]; then
    export QUARRYTOP_RESIZE_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
log() { echo "[$(date +%T)] $*"; }
game_pid=""
fail() {
    log "FAIL: $*"
    log "the game's standard error: $(cat "$work/stderr.txt" 2>/dev/null)"
    [ -z "$game_pid" ] || kill "$game_pid" 2>/dev/null || true
    exit 1
}

SKY="100 149 237" # the clear colour 0.392, 0.584, 0.929 in bytes

log "starting $game in $data"
(cd "$data" && exec "$game") >"$work/stdout.txt" 2>"$work/stderr.txt" &
game_pid=$!
game_running() { kill -0 "$game_pid" 2>/dev/null; }

# The window's id, once it is there.
deadline=$((SECONDS + 120))
id=""
while [ -z "$id" ]; do
    # A window that goes away during the walk of the tree fails it: try again.
    id=$( (xwininfo -root -tree 2>/dev/null || true) | awk '$2 == "\"Quarrytop\":" {print $1; exit}')
    [ -n "$id" ] && break
    game_running || fail "the game ended before its window appeared"
    [ $SECONDS -lt $deadline ] || fail "no window \"Quarrytop\" within 120 s"
    sleep 0.2
done
log "window $id"

# geometry: sets WIN_X WIN_Y WIN_W WIN_H (absolute, in pixels).
geometry() {
    eval "$(xwininfo -id "$id" | awk '
        /Absolute upper-left X:/ {print "WIN_X=" $4}
        /Absolute upper-left Y:/ {print "WIN_Y=" $4}
        /Width:/ {print "WIN_W=" $2}
        /Height:/ {print "WIN_H=" $2}')"
}

# pixel FILE X Y: "r g b" in bytes.
pixel() {
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:
}
near() { # near "r g b" "r g b": each channel within 2
    local r g b sr sg sb
    read -r r g b <<<"$1"
    read -r sr sg sb <<<"$2"
    [ $((r - sr)) -le 2 ] && [ $((sr - r)) -le 2 ] && [ $((g - sg)) -le 2 ] && [ $((sg - g)) -le 2 ] &&
        [ $((b - sb)) -le 2 ] && [ $((sb - b)) -le 2 ]
}
# ink FILE GEOMETRY: per mille of the area's pixels that are near white (the
# counter text is white on a grey shadow).
ink() {
    convert "$1" -crop "$2" +repage -fuzz 8% -fill black +opaque white -colorspace gray \
        -format "%[fx:round(1000*mean)]" info:
}

# frame_fills W H NAME: whether WORK/NAME-client.png, a fresh shot of the
# client area, shows a whole frame of W x H; WHY says what is missing.
WHY=""
frame_fills() {
    local w=$1 h=$2 name=$3 shot="$work/$3-client.png"
    import -window root "$work/$name.png"
    geometry
    if [ "$WIN_W" != "$w" ] || [ "$WIN_H" != "$h" ]; then
        WHY="the window is ${WIN_W}x${WIN_H}"
        return 1
    fi
    convert "$work/$name.png" -crop "${w}x${h}+${WIN_X}+${WIN_Y}" +repage "$shot"
    local corner
    for corner in "2 2" "$((w - 3)) 2"; do
        # shellcheck disable=SC2086
        near "$(pixel "$shot" $corner)" "$SKY" || {
            WHY="no sky at the top corner ($corner)"
            return 1
        }
    done
    # The text layer is 3 pixels a unit about the client area's centre; the
    # "ticks" line starts 130 units left of it and its top is 98 units up
    # (10 and 6 pixels from the corner at 800 x 600).
    local text_x=$((w / 2 - 390)) text_y=$((h / 2 - 294)) ticks frames
    ticks=$(ink "$shot" "200x26+$((text_x - 5))+$((text_y - 1))")
    frames=$(ink "$shot" "200x26+$((text_x - 5))+$((text_y + 29))")
    if [ "$ticks" -lt 20 ] || [ "$frames" -lt 20 ]; then
        WHY="no counter lines at $text_x,$text_y (ink per mille: $ticks, $frames)"
        return 1
    fi
    log "$name: a whole ${w}x${h} frame, counters at $text_x,$text_y (ink per mille: $ticks, $frames)"
}

# wait_for_frame W H NAME: polls until a whole frame of that size shows.
wait_for_frame() {
    local deadline=$((SECONDS + 120))
    until frame_fills "$1" "$2" "$3"; do
        game_running || fail "the game ended while waiting for a $1x$2 frame"
        [ $SECONDS -lt $deadline ] || fail "no whole $1x$2 frame within 120 s: $WHY (see $work/$3.png)"
        sleep 0.2
    done
}

# The counters show from the first whole second on.
wait_for_frame 800 600 800x600
for size in 1024x768 900x660 800x600-again; do
    w=${size%%x*}
    h=${size#*x}
    h=${h%%-*}
    log "resizing to ${w}x${h}"
    xdotool windowsize "$id" "$w" "$h"
    wait_for_frame "$w" "$h" "$size"
done

# Escape to the focused window; the focus is asked for again until the game
# has taken it.
deadline=$((SECONDS + 30))
while game_running; do
    [ $SECONDS -lt $deadline ] || fail "Escape did not end the game within 30 s"
    xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key Escape
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        game_running || break
        sleep 0.2
    done
done
set +e
wait "$game_pid"
status=$?
set -e
game_pid=""
[ "$status" = 0 ] || fail "Escape ended the game with status $status, not 0"
log "passed: resized to 1024x768, 900x660 and back; Escape gave 0"
