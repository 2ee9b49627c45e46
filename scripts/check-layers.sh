#!/usr/bin/env bash
# Checks that every include in src/ points down the layers, never up:
#
#   base <- world <- gfx <- draw <- main <- platform
#
# A file in one of these folders may include headers from its own folder and
# from the folders to its left. The platform layers (platform/sdl,
# platform/win32, ...) are siblings: each may include only itself, not
# another. A header named without a folder must sit beside the file that
# includes it. Nothing in src/ includes tools/, tests/, bench/ or fuzz/, and
# base/ and world/ include no OpenGL, SDL, Windows or emscripten header: they
# are the pure logic that the tests run directly.
#
# usage: scripts/check-layers.sh [ROOT]   (ROOT: the repository, default .)
# Prints each offending include as FILE:LINE: what is wrong; exits 1 if any.
set -euo pipefail

root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
if [ ! -d src ]; then
    echo "check-layers: no src/ folder under $root" >&2
    exit 2
fi

files=()
while IFS= read -r -d '' file; do
    files+=("$file")
done < <(find src -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.c' \) -print0 | sort -z)

awk '
    BEGIN {
        rank["base"] = 0; rank["world"] = 1; rank["gfx"] = 2
        rank["draw"] = 3; rank["main"] = 4; rank["platform"] = 5
        failures = 0
    }
    FNR == 1 {
        split(FILENAME, part, "/")
        layer = part[2]
        sublayer = (layer == "platform") ? part[3] : ""
        folder = FILENAME
        sub(/\/[^\/]*$/, "", folder)
        if (!(layer in rank)) {
            printf "%s:1: the folder src/%s is not a layer (base, world, gfx, draw, main, platform)\n", FILENAME, layer
            failures++
        }
    }
    /^[ \t]*#[ \t]*include[ \t]*</ && (layer == "base" || layer == "world") {
        if (match($0, /<(GL\/|SDL|windows\.h|emscripten)/)) {
            header = $0; sub(/^[^<]*</, "", header); sub(/>.*$/, "", header)
            printf "%s:%d: %s is pure logic and may not include <%s>\n", FILENAME, FNR, layer, header
            failures++
        }
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
        header = $0
        sub(/^[^"]*"/, "", header)
        sub(/".*$/, "", header)
        if (index(header, "/") == 0) {
            if (system("test -f \"" folder "/" header "\"") != 0) {
                printf "%s:%d: \"%s\" names no folder and is not beside the file\n", FILENAME, FNR, header
                failures++
            }
            next
        }
        split(header, hpart, "/")
        target = hpart[1]
        if (!(target in rank)) {
            printf "%s:%d: src/ includes \"%s\", which is not in src/\n", FILENAME, FNR, header
            failures++
            next
        }
        if (layer in rank && rank[target] > rank[layer]) {
            printf "%s:%d: %s includes \"%s\" from the higher layer %s\n", FILENAME, FNR, layer, header, target
            failures++
            next
        }
        if (layer == "platform" && target == "platform" && hpart[2] != sublayer) {
            printf "%s:%d: platform/%s includes \"%s\" from the platform layer %s\n", FILENAME, FNR, sublayer, header, hpart[2]
            failures++
        }
    }
    END {
        if (failures > 0) {
            printf "%d include(s) against the layer order base <- world <- gfx <- draw <- main <- platform\n", failures
            exit 1
        }
    }' "${files[@]}" || exit 1
echo "layers: every include in src/ points down (base <- world <- gfx <- draw <- main <- platform)"
