#!/usr/bin/env bash
# Plays the game on Linux: installs what is missing, builds the game and
# starts it from the folder that holds tex/ and mdl/ (this repository).
# Escape ends it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target quarrytop
exec build/linux/src/platform/sdl/quarrytop
