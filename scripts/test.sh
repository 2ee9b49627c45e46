#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# GL and end-to-end tests need an X server; Mesa renders in software.
run_x() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }

# Native build.
cmake --preset linux
cmake --build --preset linux
run_x ctest --preset linux

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan
cmake --build --preset asan
run_x ctest --preset asan
