#!/usr/bin/env bash
# Plays the game on Linux: installs what building and running it needs (and
# nothing of the test toolchain), builds the game alone and starts it from
# the folder that holds tex/ and mdl/ (this repository). Escape ends it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh play
cmake --preset play >/dev/null
cmake --build --preset play --target quarrytop
exec build/play/src/platform/sdl/quarrytop
