#!/usr/bin/env bash
# Time from process start to the first presented frame: the game against the
# floor program (first_frame_floor), each started as a whole process,
# alternating, RUNS times each (default 9), on an X server of its own
# (Xvfb). Prints every run and the medians and their ratio game / floor.
# A measurement for people, not a test: figures on a shared machine vary.
#
# usage: first_frame_vs_floor.sh GAME FLOOR DATA [RUNS]
#   GAME   the game executable (build/linux/src/platform/sdl/quarrytop)
#   FLOOR  build/linux/bench/gl/first_frame_floor
#   DATA   the folder holding tex/ and mdl/
set -euo pipefail

if [ $# -lt 3 ]; then
    sed -n '2,12p' "$0" >&2
    exit 2
fi
game=$(realpath "$1")
floor=$(realpath "$2")
data=$(realpath "$3")
runs=${4:-9}

if [ -z "${QUARRYTOP_FLOOR_XVFB:-}" ]; then
    export QUARRYTOP_FLOOR_XVFB=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O1 -o "$work/x_probe" "$here/../../tests/platform/x_probe.c" -lX11 -lXdamage

SKY="100 149 237"  # the game's clear colour in bytes; the floor clears to it too

# one PROGRAM: seconds from just before the process is made to the first
# frame on the screen (the top centre of the window turning sky blue).
one() {
    local start shown pid
    cd "$data"
    start=$(date +%s.%N)
    "$1" >/dev/null 2>&1 &
    pid=$!
    shown=$("$work/x_probe" first-frame Quarrytop $SKY 60) || { kill -9 $pid; echo "no first frame" >&2; exit 1; }
    kill -9 $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    awk -v a="$start" -v b="$shown" 'BEGIN {printf "%.3f", b - a}'
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

: >"$work/game.txt"
: >"$work/floor.txt"
for i in $(seq 1 "$runs"); do
    g=$(one "$game")
    f=$(one "$floor")
    echo "run $i: game $g s, floor $f s"
    echo "$g" >>"$work/game.txt"
    echo "$f" >>"$work/floor.txt"
done
game_median=$(median <"$work/game.txt")
floor_median=$(median <"$work/floor.txt")
echo "median: game $game_median s, floor $floor_median s, game / floor $(awk -v g="$game_median" -v f="$floor_median" 'BEGIN {printf "%.2f", g / f}')"
