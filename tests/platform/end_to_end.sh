#!/usr/bin/env bash
# The game end to end, as a player meets it: started in a folder, on its own
# X server (Xvfb), driven with xdotool and looked at with ImageMagick. The
# Windows build runs the real .exe under Wine, in a Wine prefix of its own.
#
# usage: end_to_end.sh CASE GAME DATA WORK [--wine PREFIX]
#   CASE   play            the window, the first frames, walking, Escape
#          close           a close request from the window system
#          missing-texture the game started without tex/
#          first-frame     prints the seconds from start to the first frame
#                          (a measurement for people, not a test)
#   GAME   the game executable (quarrytop or quarrytop.exe)
#   DATA   the folder holding tex/ and mdl/
#   WORK   a folder for this run's screenshots and output (emptied first)
#
# Waiting for the game is bounded by generous deadlines so that a broken
# build fails instead of hanging; no test here depends on speed.
set -euo pipefail

if [ $# -lt 4 ]; then
    sed -n '2,18p' "$0" >&2
    exit 2
fi
case_name=$1
game=$(realpath "$2")
data=$(realpath "$3")
work=$4
wine_prefix=""
if [ "${5:-}" = "--wine" ]; then
    wine_prefix=$(realpath -m "$6")
fi

# Each run gets an X server of its own, so runs never share a keyboard focus
# or a screen.
if [ -z "${QUARRYTOP_E2E_XVFB:-}" ]; then
    export QUARRYTOP_E2E_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

here=$(dirname "$(realpath "$0")")
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
log() { echo "[$(date +%T)] $*"; }
fail() {
    log "FAIL: $*"
    exit 1
}

SKY="100 149 237"  # the clear colour 0.392, 0.584, 0.929 in bytes
SCREEN_WIDTH=1280
SCREEN_HEIGHT=1024

# --- the game process ------------------------------------------------------

wine=/usr/lib/wine/wine64
wine_env() {
    env WINEPREFIX="$wine_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINELOADER="$wine" "$@"
}

if [ -n "$wine_prefix" ]; then
    # A fresh prefix is made once (slowly); afterwards Wine starts quickly.
    if [ ! -f "$wine_prefix/system.reg" ]; then
        log "creating the Wine prefix $wine_prefix"
        mkdir -p "$wine_prefix"
        wine_env "$wine" wineboot -i >"$work/wineboot.txt" 2>&1 || true
        wine_env /usr/lib/wine/wineserver -w
    fi
    # The Wine server and its desktop process belong to this X server only.
    trap 'wine_env /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
fi

game_pid=""
start_game() {  # start_game FOLDER
    log "starting $game in $1"
    cd "$1"
    if [ -n "$wine_prefix" ]; then
        wine_env "$wine" "$game" >"$work/stdout.txt" 2>"$work/stderr.txt" &
    else
        "$game" >"$work/stdout.txt" 2>"$work/stderr.txt" &
    fi
    game_pid=$!
    cd - >/dev/null
}

game_running() { kill -0 "$game_pid" 2>/dev/null; }

# wait_for_exit SECONDS: the game's exit status, or a failure if it does not
# end in time.
exit_status=""
wait_for_exit() {
    local deadline=$((SECONDS + $1))
    while game_running; do
        [ $SECONDS -lt $deadline ] || fail "the game did not end within $1 s"
        sleep 0.2
    done
    set +e
    wait "$game_pid"
    exit_status=$?
    set -e
    log "the game ended with status $exit_status"
}

# --- windows and pictures --------------------------------------------------

# find_window TITLE SECONDS: prints the id of the X window with that title.
find_window() {
    local deadline=$((SECONDS + $2)) id
    while :; do
        id=$(xwininfo -root -tree | awk -v title="\"$1\":" '$2 == title {print $1; exit}')
        [ -n "$id" ] && { echo "$id"; return; }
        game_running || fail "the game ended before a window \"$1\" appeared (status: see $work/stderr.txt)"
        [ $SECONDS -lt $deadline ] || fail "no window \"$1\" within $2 s"
        sleep 0.2
    done
}

# window_geometry ID: sets WIN_X WIN_Y WIN_W WIN_H (absolute, in pixels).
window_geometry() {
    eval "$(xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ {print "WIN_X=" $4}
        /Absolute upper-left Y:/ {print "WIN_Y=" $4}
        /Width:/ {print "WIN_W=" $2}
        /Height:/ {print "WIN_H=" $2}')"
}

# shot NAME: the whole screen into WORK/NAME.png and the window's client area
# into WORK/NAME-client.png.
shot() {
    import -window root "$work/$1.png"
    convert "$work/$1.png" -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$work/$1-client.png"
}

# pixel FILE X Y: "r g b" in bytes.
pixel() {
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:
}

is_sky() {  # is_sky "r g b"
    local r g b sr sg sb
    read -r r g b <<<"$1"
    read -r sr sg sb <<<"$SKY"
    [ $((r - sr)) -le 2 ] && [ $((sr - r)) -le 2 ] && [ $((g - sg)) -le 2 ] && [ $((sg - g)) -le 2 ] &&
        [ $((b - sb)) -le 2 ] && [ $((sb - b)) -le 2 ]
}

# ink FILE GEOMETRY: per mille of the area's pixels that are near white (the
# counter text is white on a grey shadow).
ink() {
    convert "$1" -crop "$2" +repage -fuzz 8% -fill black +opaque white -colorspace gray \
        -format "%[fx:round(1000*mean)]" info:
}

# The scene below the counter lines, where the view shows.
SCENE_TOP=70
scene() {  # scene NAME: WORK/NAME-scene.png from a fresh shot
    shot "$1"
    convert "$work/$1-client.png" -crop "${WIN_W}x$((WIN_H - SCENE_TOP))+0+${SCENE_TOP}" +repage "$work/$1-scene.png"
}

# changed A B: per mille of the scene's pixels that differ clearly between
# two shots. The turning sun shifts the shading slowly, so small shifts in
# colour do not count; a view that moves changes most of the picture.
changed() {
    local differing
    differing=$(compare -metric AE -fuzz 10% "$work/$1-scene.png" "$work/$2-scene.png" null: 2>&1 || true)
    differing=${differing%%.*}
    echo $((1000 * differing / (WIN_W * (WIN_H - SCENE_TOP))))
}

# wait_for_still_view PREFIX SECONDS: shots PREFIX-1, PREFIX-2, ... until two
# in a row show the same view; sets STILL to the last one's name.
STILL=""
wait_for_still_view() {
    local deadline=$((SECONDS + $2)) n=1 difference
    scene "$1-$n"
    while :; do
        sleep 0.5
        n=$((n + 1))
        scene "$1-$n"
        difference=$(changed "$1-$((n - 1))" "$1-$n")
        if [ "$difference" -le 5 ]; then
            STILL="$1-$n"
            log "the view is still at $STILL ($difference per mille changed)"
            return
        fi
        [ $SECONDS -lt $deadline ] || fail "the view kept changing for $2 s ($difference per mille in the last shots)"
    done
}

# wait_for_first_frame SECONDS: polls the client area's top centre until the
# sky colour shows there.
wait_for_first_frame() {
    local deadline=$((SECONDS + $1))
    while :; do
        import -window root -crop "1x1+$((WIN_X + WIN_W / 2))+$((WIN_Y + 5))" +repage "$work/probe.png"
        is_sky "$(pixel "$work/probe.png" 0 0)" && return
        game_running || fail "the game ended before drawing a frame"
        [ $SECONDS -lt $deadline ] || fail "no frame with the sky colour within $1 s"
    done
}

focus() {
    xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.3
}

# --- the cases -------------------------------------------------------------

# Wine needs longer to start than a native process.
START_SECONDS=120

case_play() {
    start_game "$data"
    local id
    id=$(find_window Quarrytop $START_SECONDS)
    window_geometry "$id"
    log "window $id: ${WIN_W}x${WIN_H} at $WIN_X,$WIN_Y"
    [ "$WIN_W" = 800 ] && [ "$WIN_H" = 600 ] || fail "the client area is ${WIN_W}x${WIN_H}, not 800x600"
    # Centred: across exactly; down, the title bar (drawn by the window
    # system, or by Wine within the window's outer size) may shift it.
    [ "$WIN_X" = $(((SCREEN_WIDTH - 800) / 2)) ] || fail "the window is not centred across (x $WIN_X)"
    local centre_y=$(((SCREEN_HEIGHT - 600) / 2))
    [ $((WIN_Y - centre_y)) -le 40 ] && [ $((centre_y - WIN_Y)) -le 40 ] || fail "the window is not centred (y $WIN_Y)"

    wait_for_first_frame $START_SECONDS
    log "first frame drawn"
    sleep 2
    shot counters
    local sky
    sky=$(pixel "$work/counters-client.png" 400 5)
    is_sky "$sky" || fail "the top of the view is $sky, not the sky colour $SKY (see counters.png)"
    # The two counter lines: 3 pixels a text unit, "ticks" from 6 to 30
    # pixels down, "frames" from 36 to 60, both from 10 pixels in.
    local ticks_ink frames_ink right_ink
    ticks_ink=$(ink "$work/counters-client.png" 200x26+5+5)
    frames_ink=$(ink "$work/counters-client.png" 200x26+5+35)
    right_ink=$(ink "$work/counters-client.png" 200x60+590+5)
    log "ink per mille: ticks line $ticks_ink, frames line $frames_ink, away from the text $right_ink"
    [ "$ticks_ink" -ge 20 ] || fail "no ticks counter line in counters.png"
    [ "$frames_ink" -ge 20 ] || fail "no frames counter line in counters.png"
    [ "$right_ink" -le 2 ] || fail "white where no text should be in counters.png"

    # The keys go to the focused window. (Under Wine on Xvfb, the window's
    # activation brings one raw mouse record that turns the view: Wine
    # reports the pointer's warp into the clip rectangle as motion.) The
    # player falls from the start point; once landed the view holds still.
    focus "$id"
    wait_for_still_view landing 90
    local landed=$STILL
    xdotool keydown w
    sleep 1
    xdotool keyup w
    scene walked
    local moved
    moved=$(changed "$landed" walked)
    log "walking for a second changed $moved per mille of the view"
    [ "$moved" -ge 100 ] || fail "W held for a second did not change the view ($moved per mille)"
    wait_for_still_view settling 30
    [ "$(changed "$landed" "$STILL")" -ge 100 ] || fail "the view settled back where it started"

    focus "$id"
    xdotool key Escape
    wait_for_exit 30
    [ "$exit_status" = 0 ] || fail "Escape ended the game with status $exit_status, not 0"
}

case_close() {
    start_game "$data"
    local id
    id=$(find_window Quarrytop $START_SECONDS)
    window_geometry "$id"
    wait_for_first_frame $START_SECONDS
    shot before-close
    # What the close button of a window manager sends.
    "$x_probe" close "$id"
    wait_for_exit 30
    [ "$exit_status" = 0 ] || fail "closing the window ended the game with status $exit_status, not 0"
}

case_missing_texture() {
    # The models are there, the textures are not.
    mkdir -p "$work/no-textures"
    cp -r "$data/mdl" "$work/no-textures/"
    start_game "$work/no-textures"
    local id
    id=$(find_window Error $START_SECONDS)
    window_geometry "$id"
    shot error-box
    log "the Error box is up: ${WIN_W}x${WIN_H}"
    game_running || fail "the game ended without waiting for the Error box"
    focus "$id"
    xdotool key Return
    wait_for_exit 30
    [ "$exit_status" = 1 ] || fail "the failed start ended with status $exit_status, not 1"
    grep -q "tex/ironOreNoise.png" "$work/stderr.txt" ||
        fail "standard error does not name tex/ironOreNoise.png: $(cat "$work/stderr.txt")"
    log "standard error: $(tr -d '\r' <"$work/stderr.txt")"
}

case_first_frame() {
    # From the moment before the process is made to the first frame on the
    # screen, watched every millisecond.
    local start shown
    start=$(date +%s.%N)
    start_game "$data"
    shown=$("$x_probe" first-frame Quarrytop $SKY $START_SECONDS) || fail "no first frame"
    echo "first frame after $(awk -v a="$start" -v b="$shown" 'BEGIN {printf "%.3f", b - a}') s"
    local id
    id=$(find_window Quarrytop 10)
    window_geometry "$id"
    shot first-frame
    focus "$id"
    xdotool key Escape
    wait_for_exit 30
}

# The X helpers are compiled here with the host's compiler (the Windows build
# has no Linux programs of its own).
x_probe="$work/../x_probe"
if [ ! -x "$x_probe" ] || [ "$here/x_probe.c" -nt "$x_probe" ]; then
    cc -O1 -o "$x_probe.$$" "$here/x_probe.c" -lX11 && mv "$x_probe.$$" "$x_probe"
fi

case "$case_name" in
play) case_play ;;
close) case_close ;;
missing-texture) case_missing_texture ;;
first-frame) case_first_frame ;;
*) fail "unknown case $case_name" ;;
esac
log "passed: $case_name"
