#!/usr/bin/env bash
# The game end to end, as a player meets it: started in a folder, on its own
# X server (Xvfb), driven with xdotool and looked at with ImageMagick. The
# Windows build runs the real .exe under Wine, in a Wine prefix of its own.
#
# usage: end_to_end.sh CASE GAME DATA WORK [--wine PREFIX DESKTOP_PROBE]
#   CASE   play            the window, the first frames, walking, Escape
#          resize          the Linux window resized from outside: each new
#                          size filled by the frames, and back; Escape
#          close           a close request from the window system
#          missing-texture the game started without tex/
#          first-frame     prints the seconds from start to the first frame
#                          (a measurement for people, not a test)
#   GAME   the game executable (quarrytop or quarrytop.exe)
#   DATA   the folder holding tex/ and mdl/
#   WORK   a folder for this run's screenshots and output (emptied first)
#   --wine PREFIX DESKTOP_PROBE
#          run GAME under Wine in PREFIX, a prefix made beforehand by
#          make_wine_prefix.sh, once DESKTOP_PROBE (wine_desktop_probe.exe)
#          shows that windows can be made (see with_wine.sh)
# The close and first-frame cases need QUARRYTOP_X_PROBE, the path of the
# Linux build's x_probe.
#
# Waiting for the game is bounded by generous deadlines so that a broken
# build fails instead of hanging; no test here depends on speed: every wait
# polls until what it waits for is seen. Every failure says why and shows
# the game's standard output and standard error.
set -euo pipefail

if [ $# -ne 4 ] && ! { [ $# -eq 7 ] && [ "$5" = "--wine" ]; }; then
    sed -n '2,26p' "$0" >&2
    exit 2
fi
case_name=$1
game=$(realpath "$2")
data=$(realpath "$3")
work=$4
wine_prefix=""
desktop_probe=""
if [ $# -eq 7 ]; then
    wine_prefix=$(realpath -m "$6")
    desktop_probe=$(realpath -m "$7")
fi
here=$(dirname "$(realpath "$0")")

# Each run gets an X server of its own, so runs never share a keyboard focus
# or a screen; under Wine, the Wine server and desktop are up on it before
# the script goes on.
if [ -z "${QUARRYTOP_E2E_INNER:-}" ]; then
    export QUARRYTOP_E2E_INNER=1
    if [ -n "$wine_prefix" ]; then
        exec "$here/with_xvfb.sh" "$here/with_wine.sh" "$wine_prefix" "$desktop_probe" "$0" "$@"
    fi
    exec "$here/with_xvfb.sh" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
log() { echo "[$(date +%T)] $*"; }

# The game's own output, for whoever reads a failure.
show_game_output() {
    local file name
    [ -n "${game_pid:-}" ] || return 0
    for file in stdout stderr; do
        name="standard output"
        [ $file = stdout ] || name="standard error"
        if [ -s "$work/$file.txt" ]; then
            echo "--- the game's $name ($work/$file.txt):"
            tail -n 100 "$work/$file.txt" | tr -d '\r'
        else
            echo "--- the game's $name ($work/$file.txt): empty"
        fi
    done
}
# fail REASON: says why, shows the game's output, ends the test. Also called
# in a command substitution's subshell, so it writes to standard error and
# leaves a mark that the output has been shown.
fail() {
    {
        log "FAIL: $*"
        if [ ! -e "$work/failure-shown" ]; then
            touch "$work/failure-shown"
            show_game_output
        fi
    } >&2
    exit 1
}
# Any other command that fails ends the test too, saying which one.
trap 'fail "line $LINENO: \"$BASH_COMMAND\" ended with status $?"' ERR
set -o errtrace

# A game still running when the test ends is stopped, so that the X server
# (and under Wine the Wine server) can end.
stop_game() {
    if [ -n "${game_pid:-}" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true  # it may have ended meanwhile
    fi
}
trap stop_game EXIT

x_probe=${QUARRYTOP_X_PROBE:-}
need_x_probe() {
    [ -n "$x_probe" ] && [ -x "$x_probe" ] ||
        fail "this case needs x_probe: set QUARRYTOP_X_PROBE to the Linux build's tests/platform/x_probe (now \"$x_probe\")"
}

SKY="100 149 237"  # the clear colour 0.392, 0.584, 0.929 in bytes
SCREEN_WIDTH=1280
SCREEN_HEIGHT=1024

# --- the game process ------------------------------------------------------

# Under Wine, with_wine.sh has set up the prefix's environment, and its
# server and desktop are up on this display.
game_pid=""
start_game() {  # start_game FOLDER
    log "starting $game in $1"
    cd "$1"
    if [ -n "$wine_prefix" ]; then
        [ "${WINEPREFIX:-}" = "$wine_prefix" ] || fail "not run by with_wine.sh for $wine_prefix"
        /usr/lib/wine/wine64 "$game" >"$work/stdout.txt" 2>"$work/stderr.txt" &
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
    exit_status=0
    wait "$game_pid" || exit_status=$?
    log "the game ended with status $exit_status"
}

# --- windows and pictures --------------------------------------------------

# find_window TITLE SECONDS: prints the id of the X window with that title.
# (A window that goes away while the tree is read makes xwininfo fail; the
# next look tries again.)
find_window() {
    local deadline=$((SECONDS + $2)) tree id
    while :; do
        if tree=$(xwininfo -root -tree 2>"$work/xwininfo.err"); then
            id=$(awk -v title="\"$1\":" '$2 == title {print $1; exit}' <<<"$tree")
            [ -n "$id" ] && { echo "$id"; return; }
        fi
        game_running || fail "the game ended before a window \"$1\" appeared"
        [ $SECONDS -lt $deadline ] ||
            fail "no window \"$1\" within $2 s (xwininfo: $(cat "$work/xwininfo.err"))"
        sleep 0.2
    done
}

# window_geometry ID: sets WIN_X WIN_Y WIN_W WIN_H (absolute, in pixels).
window_geometry() {
    local info
    info=$(xwininfo -id "$1") || fail "xwininfo could not read the window $1"
    WIN_X="" WIN_Y="" WIN_W="" WIN_H=""
    eval "$(awk '
        /Absolute upper-left X:/ {print "WIN_X=" $4}
        /Absolute upper-left Y:/ {print "WIN_Y=" $4}
        /Width:/ {print "WIN_W=" $2}
        /Height:/ {print "WIN_H=" $2}' <<<"$info")"
    [ -n "$WIN_X" ] && [ -n "$WIN_Y" ] && [ -n "$WIN_W" ] && [ -n "$WIN_H" ] ||
        fail "no geometry for the window $1 in: $info"
}

# Starts the game in the data folder and waits for its window: WIN_ID, and
# its geometry in WIN_X, WIN_Y, WIN_W and WIN_H.
open_game_window() {
    need_x_probe
    start_game "$data"
    WIN_ID=$(find_window Quarrytop $START_SECONDS)
    window_geometry "$WIN_ID"
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

# differ FUZZ A B: per mille of the pixels that differ by more than FUZZ
# between the pictures WORK/A.png and WORK/B.png (of the scene's size).
differ() {
    local differing status=0
    # compare ends with 1 when the pictures differ, 2 when it could not compare.
    differing=$(compare -metric AE -fuzz "$1" "$work/$2.png" "$work/$3.png" null: 2>&1) || status=$?
    [ $status -le 1 ] || fail "compare could not compare $2 with $3: $differing"
    differing=${differing%%.*}
    [[ "$differing" =~ ^[0-9]+$ ]] || fail "compare printed \"$differing\" for $2 and $3"
    echo $((1000 * differing / (WIN_W * (WIN_H - SCENE_TOP))))
}

# The sun turns (a day is about 105 s of game time, which runs with the
# clock), so the shading of the ground changes between two frames the more
# the slower the game draws, and at night the ground shows black. Where the
# view shows the sky, a view is judged by its outline against the sky,
# which the sun does not change; elsewhere by its colours, and only while
# the ground is lit.

# sky NAME: per mille of the scene that shows the sky colour; WORK/NAME-sky.png
# is the scene in white where it does, black elsewhere.
sky() {
    if [ ! -e "$work/$1-sky.png" ]; then
        convert "$work/$1-scene.png" -fuzz 3% -fill black +opaque "rgb(${SKY// /,})" \
            -fill white -opaque "rgb(${SKY// /,})" "$work/$1-sky.png"
    fi
    convert "$work/$1-sky.png" -colorspace gray -format "%[fx:round(1000*mean)]" info:
}
SKY_ENOUGH=50

# dark NAME: per mille of the scene's pixels that are near black.
dark() {
    convert "$work/$1-scene.png" -fuzz 6% -fill white -opaque black -fill black +opaque white \
        -colorspace gray -format "%[fx:round(1000*mean)]" info:
}
DARK_LIMIT=200

# judgeable A [B]: whether the views can be compared: both show the sky, or
# both have their ground lit.
judgeable() {
    local name all_sky=1 all_lit=1
    for name in "$@"; do
        [ "$(sky "$name")" -ge $SKY_ENOUGH ] || all_sky=0
        [ "$(dark "$name")" -le $DARK_LIMIT ] || all_lit=0
    done
    [ $all_sky = 1 ] || [ $all_lit = 1 ]
}

# view_change A B: "sky N" (per mille of the scene whose sky outline
# changed) when both show the sky, else "colours N" (per mille of the
# scene's pixels whose colour changed clearly; small shifts in shading do
# not count, while a view that moves changes most of the picture).
view_change() {
    if [ "$(sky "$1")" -ge $SKY_ENOUGH ] && [ "$(sky "$2")" -ge $SKY_ENOUGH ]; then
        echo "sky $(differ 0 "$1-sky" "$2-sky")"
    else
        echo "colours $(differ 10% "$1-scene" "$2-scene")"
    fi
}
is_still() {  # is_still METRIC VALUE
    if [ "$1" = sky ]; then [ "$2" -le 2 ]; else [ "$2" -le 5 ]; fi
}
has_moved() {  # has_moved METRIC VALUE
    if [ "$1" = sky ]; then [ "$2" -ge 10 ]; else [ "$2" -ge 100 ]; fi
}

# new_frame: waits until the game has drawn into its window twice, so that
# the next shot shows a frame drawn wholly after this call began (the game
# may take seconds a frame on a busy machine).
FRAME_SECONDS=120
new_frame() {
    "$x_probe" frames "$WIN_ID" 2 $FRAME_SECONDS >"$work/x_probe.err" 2>&1 ||
        fail "no new frame: $(cat "$work/x_probe.err")"
}

# wait_for_still_view PREFIX SECONDS: shots PREFIX-1, PREFIX-2, ..., each of
# a new frame, until two in a row show the same view; sets STILL to the
# last one's name.
STILL=""
wait_for_still_view() {
    local deadline=$((SECONDS + $2)) n=1 metric difference
    new_frame
    scene "$1-$n"
    while :; do
        new_frame
        n=$((n + 1))
        scene "$1-$n"
        read -r metric difference <<<"$(view_change "$1-$((n - 1))" "$1-$n")"
        if is_still "$metric" "$difference"; then
            STILL="$1-$n"
            log "the view is still at $STILL ($metric: $difference per mille changed)"
            return
        fi
        game_running || fail "the game ended while the view was still moving"
        [ $SECONDS -lt $deadline ] ||
            fail "the view kept changing for $2 s ($metric: $difference per mille in the last shots, $1-$n.png)"
    done
}

# wait_for_judgeable_view SECONDS: new frames until the view shows the sky or
# the ground is lit.
wait_for_judgeable_view() {
    local deadline=$((SECONDS + $1)) n=0
    while :; do
        new_frame
        n=$((n + 1))
        scene "looking-$n"
        judgeable "looking-$n" && return
        game_running || fail "the game ended while waiting for daylight"
        [ $SECONDS -lt $deadline ] ||
            fail "no sky in view and the ground dark for $1 s ($(dark "looking-$n") per mille near black in looking-$n.png)"
    done
}

# look_at_horizon SECONDS: turns the view up or down by mouse motion until
# the sky fills a tenth to nine tenths of the scene, so that views are judged
# by their outline against the sky, which the turning sun does not change.
# (Under Wine the window's activation can turn the view to the ground.)
look_at_horizon() {
    local deadline=$((SECONDS + $1)) n=0 share
    while :; do
        new_frame
        n=$((n + 1))
        scene "horizon-$n"
        share=$(sky "horizon-$n")
        if [ "$share" -ge 100 ] && [ "$share" -le 900 ]; then
            log "the sky fills $share per mille of horizon-$n.png"
            return
        fi
        game_running || fail "the game ended while turning the view to the horizon"
        [ $SECONDS -lt $deadline ] ||
            fail "the view did not turn to the horizon within $1 s (sky $share per mille in horizon-$n.png)"
        # Up moves the pointer up, and the view with it.
        if [ "$share" -lt 100 ]; then
            xdotool mousemove_relative -- 0 -40
        else
            xdotool mousemove_relative -- 0 40
        fi
    done
}

# wait_for_first_frame SECONDS: polls the client area's top centre until the
# sky colour shows there.
wait_for_first_frame() {
    local deadline=$((SECONDS + $1)) colour
    while :; do
        import -window root -crop "1x1+$((WIN_X + WIN_W / 2))+$((WIN_Y + 5))" +repage "$work/probe.png"
        colour=$(pixel "$work/probe.png" 0 0)
        is_sky "$colour" && return
        game_running || fail "the game ended before drawing a frame"
        [ $SECONDS -lt $deadline ] || fail "no frame with the sky colour within $1 s (the top centre is $colour)"
        sleep 0.1
    done
}

# has_focus ID: whether the keyboard focus is on the window ID or within it.
has_focus() {
    local focused
    focused=$(xdotool getwindowfocus -f 2>/dev/null) || return 1
    while [[ "$focused" =~ ^(0x[0-9a-fA-F]+|[0-9]+)$ ]] && [ $((focused)) -ne 0 ]; do
        [ $((focused)) -eq $(($1)) ] && return 0
        focused=$(xwininfo -id "$focused" -tree 2>/dev/null | awk '/Parent window id:/ {print $4; exit}') || return 1
    done
    return 1
}

# focus ID: gives the window the keyboard focus (there is no window manager
# to do it) and waits until the X server says it has it; the request is
# made again while it has not, as the window may not have been ready.
FOCUS_SECONDS=60
focus() {
    local deadline=$((SECONDS + FOCUS_SECONDS))
    until has_focus "$1"; do
        game_running || fail "the game ended while waiting for the keyboard focus"
        [ $SECONDS -lt $deadline ] ||
            fail "the window $1 did not get the keyboard focus within $FOCUS_SECONDS s (xdotool: $(cat "$work/xdotool.err"))"
        xdotool windowraise "$1" windowfocus "$1" 2>"$work/xdotool.err" || true  # retried until the deadline
        sleep 0.2
    done
}

# --- the cases -------------------------------------------------------------

# Wine needs longer to start than a native process, and a sanitizer build on
# a busy machine longer still; these only keep a broken build from hanging.
START_SECONDS=300
SETTLE_SECONDS=180
NIGHT_SECONDS=300
WALK_SECONDS=480
EXIT_SECONDS=60

case_play() {
    open_game_window
    local id=$WIN_ID
    log "window $id: ${WIN_W}x${WIN_H} at $WIN_X,$WIN_Y"
    [ "$WIN_W" = 800 ] && [ "$WIN_H" = 600 ] || fail "the client area is ${WIN_W}x${WIN_H}, not 800x600"
    # Centred: across exactly; down, the title bar (drawn by the window
    # system, or by Wine within the window's outer size) may shift it.
    [ "$WIN_X" = $(((SCREEN_WIDTH - 800) / 2)) ] || fail "the window is not centred across (x $WIN_X)"
    local centre_y=$(((SCREEN_HEIGHT - 600) / 2))
    [ $((WIN_Y - centre_y)) -le 40 ] && [ $((centre_y - WIN_Y)) -le 40 ] || fail "the window is not centred (y $WIN_Y)"

    wait_for_first_frame $START_SECONDS
    log "first frame drawn"
    # The two counter lines: 3 pixels a text unit, "ticks" from 6 to 30
    # pixels down, "frames" from 36 to 60, both from 10 pixels in. Shots
    # are taken until both lines show (the first frames may come before the
    # first counting).
    local sky ticks_ink frames_ink right_ink n=0 deadline=$((SECONDS + SETTLE_SECONDS))
    while :; do
        n=$((n + 1))
        shot "counters-$n"
        ticks_ink=$(ink "$work/counters-$n-client.png" 200x26+5+5)
        frames_ink=$(ink "$work/counters-$n-client.png" 200x26+5+35)
        [ "$ticks_ink" -ge 20 ] && [ "$frames_ink" -ge 20 ] && break
        game_running || fail "the game ended before showing its counters"
        [ $SECONDS -lt $deadline ] ||
            fail "no counter lines within $SETTLE_SECONDS s (ink per mille: ticks $ticks_ink, frames $frames_ink in counters-$n.png)"
        sleep 0.5
    done
    right_ink=$(ink "$work/counters-$n-client.png" 200x60+590+5)
    log "ink per mille in counters-$n.png: ticks line $ticks_ink, frames line $frames_ink, away from the text $right_ink"
    [ "$right_ink" -le 2 ] || fail "white where no text should be in counters-$n.png"
    sky=$(pixel "$work/counters-$n-client.png" 400 5)
    is_sky "$sky" || fail "the top of the view is $sky, not the sky colour $SKY (see counters-$n.png)"

    # The keys go to the focused window. (Under Wine on Xvfb, the window's
    # activation brings one raw mouse record that turns the view: Wine
    # reports the pointer's warp into the clip rectangle as motion.) The
    # player falls from the start point; once landed the view holds still.
    # Then W is held until the view has moved (however slowly the game
    # runs), and the view settles somewhere else. All of it is judged in
    # daylight; a walk that night fell on is walked again.
    focus "$id"
    log "the window has the keyboard focus"
    look_at_horizon $SETTLE_SECONDS
    local walk=0 before metric moved settled deadline=$((SECONDS + WALK_SECONDS))
    while :; do
        walk=$((walk + 1))
        wait_for_judgeable_view $NIGHT_SECONDS
        wait_for_still_view "still-$walk" $SETTLE_SECONDS
        before=$STILL
        if judgeable "$before"; then
            focus "$id"
            xdotool keydown w
            n=0
            while :; do
                new_frame
                n=$((n + 1))
                scene "walking-$walk-$n"
                read -r metric moved <<<"$(view_change "$before" "walking-$walk-$n")"
                has_moved "$metric" "$moved" && break
                game_running || fail "the game ended while W was held"
                [ $SECONDS -lt $deadline ] ||
                    fail "W held did not change the view ($metric: $moved per mille from $before.png in walking-$walk-$n.png)"
            done
            xdotool keyup w
            log "walking changed the view ($metric: $moved per mille in walking-$walk-$n.png)"
            wait_for_still_view "settled-$walk" $SETTLE_SECONDS
            settled=$STILL
            if judgeable "$before" "$settled"; then
                read -r metric moved <<<"$(view_change "$before" "$settled")"
                has_moved "$metric" "$moved" ||
                    fail "the view settled back where it started ($metric: $moved per mille changed from $before.png to $settled.png)"
                log "the view settled elsewhere ($metric: $moved per mille changed)"
                break
            fi
        fi
        log "night fell during walk $walk; walking again in daylight"
        [ $SECONDS -lt $deadline ] || fail "no walk in daylight within $WALK_SECONDS s"
    done

    focus "$id"
    xdotool key Escape
    wait_for_exit $EXIT_SECONDS
    [ "$exit_status" = 0 ] || fail "Escape ended the game with status $exit_status, not 0"
}

# whole_frame W H NAME: whether a fresh shot NAME of a new frame fills a
# client area of W x H: the sky at both top corners (the ground below turns
# dark at night; the sky's colour never changes) and the counter lines where
# the text layer puts them, 3 pixels a unit about the centre: "ticks" from
# 390 pixels left of it with its top 294 above (10 and 6 pixels from the
# corner at 800 x 600); a frame drawn for another size puts them elsewhere.
# WHY says what is missing.
WHY=""
whole_frame() {
    local w=$1 h=$2 name=$3 corner ticks frames text_x=$(($1 / 2 - 390)) text_y=$(($2 / 2 - 294))
    window_geometry "$WIN_ID"
    if [ "$WIN_W" != "$w" ] || [ "$WIN_H" != "$h" ]; then
        WHY="the window is ${WIN_W}x${WIN_H}"
        return 1
    fi
    shot "$name"
    for corner in "2 2" "$((w - 3)) 2"; do
        # shellcheck disable=SC2086
        is_sky "$(pixel "$work/$name-client.png" $corner)" || {
            WHY="no sky at the top corner ($corner) in $name.png"
            return 1
        }
    done
    ticks=$(ink "$work/$name-client.png" "200x26+$((text_x - 5))+$((text_y - 1))")
    frames=$(ink "$work/$name-client.png" "200x26+$((text_x - 5))+$((text_y + 29))")
    if [ "$ticks" -lt 20 ] || [ "$frames" -lt 20 ]; then
        WHY="no counter lines at $text_x,$text_y in $name.png (ink per mille: $ticks, $frames)"
        return 1
    fi
    log "$name: a whole ${w}x${h} frame, counters at $text_x,$text_y (ink per mille: $ticks, $frames)"
}

case_resize() {
    open_game_window
    local id=$WIN_ID
    wait_for_first_frame $START_SECONDS
    # Resized from outside, as a window manager does it, and back; new
    # frames until one fills the new size. (Linux only: the SDL window.)
    local step=0 size w h deadline
    for size in 800x600 1024x768 900x660 800x600; do
        step=$((step + 1))
        w=${size%x*}
        h=${size#*x}
        if [ "${WIN_W}x${WIN_H}" != "$size" ]; then
            log "resizing to $size"
            xdotool windowsize "$id" "$w" "$h"
        fi
        deadline=$((SECONDS + SETTLE_SECONDS))
        until new_frame && whole_frame "$w" "$h" "$step-$size"; do
            game_running || fail "the game ended while waiting for a whole $size frame"
            [ $SECONDS -lt $deadline ] || fail "no whole $size frame within $SETTLE_SECONDS s: $WHY"
        done
    done
    focus "$id"
    xdotool key Escape
    wait_for_exit $EXIT_SECONDS
    [ "$exit_status" = 0 ] || fail "Escape ended the game with status $exit_status, not 0"
}

case_close() {
    need_x_probe
    start_game "$data"
    local id
    id=$(find_window Quarrytop $START_SECONDS)
    window_geometry "$id"
    wait_for_first_frame $START_SECONDS
    shot before-close
    # What the close button of a window manager sends.
    "$x_probe" close "$id"
    wait_for_exit $EXIT_SECONDS
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
    wait_for_exit $EXIT_SECONDS
    [ "$exit_status" = 1 ] || fail "the failed start ended with status $exit_status, not 1"
    grep -q "tex/ironOreNoise.png" "$work/stderr.txt" || fail "standard error does not name tex/ironOreNoise.png"
    log "standard error: $(tr -d '\r' <"$work/stderr.txt")"
}

case_first_frame() {
    need_x_probe
    # From the moment before the process is made to the first frame on the
    # screen, watched every millisecond.
    local start shown
    start=$(date +%s.%N)
    start_game "$data"
    shown=$("$x_probe" first-frame Quarrytop $SKY $START_SECONDS) || fail "no first frame"
    echo "first frame after $(awk -v a="$start" -v b="$shown" 'BEGIN {printf "%.3f", b - a}') s"
    local id
    id=$(find_window Quarrytop $START_SECONDS)
    window_geometry "$id"
    shot first-frame
    focus "$id"
    xdotool key Escape
    wait_for_exit $EXIT_SECONDS
}

case "$case_name" in
play) case_play ;;
resize) case_resize ;;
close) case_close ;;
missing-texture) case_missing_texture ;;
first-frame) case_first_frame ;;
*) fail "unknown case $case_name" ;;
esac
log "passed: $case_name"
