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

# --- Fuzz smoke (replay engineer's step) ---------------------------------
# The .bmf reader's libFuzzer target, built with clang, runs a few seconds
# from its generated seed corpus; a crash or a sanitizer report fails it.
cmake --preset fuzz
cmake --build --preset fuzz -j 2 --target fuzz_parse_model fuzz_make_model_seeds
ctest --test-dir build/fuzz -L fuzz --output-on-failure
