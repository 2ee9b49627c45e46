#!/usr/bin/env bash
# The worked example of docs/modding.md, run as it stands there: the awk
# script and the commands are taken from the page (the blocks after its
# "worked example" markers) and run in a fresh copy of the game folder with
# the built tools on the PATH; the frame must match the page's picture.
#
# usage: worked_example.sh SOURCE_DIR BUILD_TOOLS_DIR WORK_DIR
# (needs an X display for quarrytop-shot; the test command runs CTest in
# xvfb-run). QUARRYTOP_UPDATE_GOLDEN=1 rewrites the picture instead.
set -euo pipefail
source_dir=$1 tools=$2 work=$3
guide="$source_dir/docs/modding.md"
picture="$source_dir/docs/pictures/modded-pickaxe.png"

# The fenced block that follows the marker line "<!-- worked example: NAME -->".
block() {
    awk -v marker="<!-- worked example: $1 -->" '
        $0 == marker { found = 1; next }
        found && /^```/ { if (inside) exit; inside = 1; next }
        inside { print }' "$guide"
}

rm -rf "$work"
mkdir -p "$work"
cp -r "$source_dir/tex" "$source_dir/mdl" "$work/"
block bigger-head.awk >"$work/bigger-head.awk"
block commands >"$work/commands.sh"
for file in bigger-head.awk commands.sh; do
    if [ ! -s "$work/$file" ]; then
        echo "worked example: no block for $file in $guide" >&2
        exit 1
    fi
done

cd "$work"
PATH="$tools/model:$tools/check:$tools/shot:$PATH" bash -euo pipefail commands.sh >output.txt 2>&1 || {
    echo "worked example: the commands failed:" >&2
    cat output.txt >&2
    exit 1
}
cat output.txt
grep -qx '.: playable' output.txt || { echo "worked example: the check did not find the folder playable" >&2; exit 1; }
cmp -s mdl/pickaxe.bmf "$source_dir/mdl/pickaxe.bmf" && { echo "worked example: the pickaxe did not change" >&2; exit 1; }

if [ -n "${QUARRYTOP_UPDATE_GOLDEN:-}" ]; then
    cp modded-pickaxe.png "$picture"
    echo "rewrote $picture"
    exit 0
fi
# The golden frames' tolerance: a few levels a channel, on at most 1 pixel in 200.
far_off=$(compare -metric AE -fuzz 1.2% modded-pickaxe.png "$picture" null: 2>&1 || true)
pixels=$(identify -format '%[fx:w*h]' "$picture")
if ! [ "$far_off" -le $((pixels / 200)) ] 2>/dev/null; then
    echo "worked example: the frame differs from $picture in $far_off of $pixels pixels" >&2
    exit 1
fi
echo "worked example: the frame matches $picture ($far_off pixels off)"
