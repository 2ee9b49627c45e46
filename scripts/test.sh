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
# The libFuzzer targets (the .bmf reader, the OBJ import, the image
# loading), built with clang, run a few seconds each from their seed corpora;
# a crash or a sanitizer report fails them.
cmake --preset fuzz
cmake --build --preset fuzz -j 2 --target fuzz_parse_model fuzz_make_model_seeds \
    fuzz_obj_import fuzz_make_obj_seeds fuzz_image
ctest --test-dir build/fuzz -L fuzz --output-on-failure

# --- Windows build (platform engineer's step) ------------------------------
# The game and the tests cross-built with mingw-w64; the unit tests, the
# replay scenarios and the game end to end run under Wine on Xvfb. The
# build's Wine prefix is made on first use (slowly, once) and its server is
# kept up for the whole run, so that each test program starts quickly and on
# this run's display.
cmake --preset windows
cmake --build --preset windows
run_x bash -c '
    export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -p
    /usr/lib/wine/wine64 wineboot -i
    status=0
    ctest --preset windows || status=$?
    /usr/lib/wine/wineserver -k
    exit $status'

# The same world on both builds: every replay scenario, run over the game's
# own data, prints the same bytes from the Linux build and from the Windows
# build under Wine. (The scenario tests above compare each build with the
# expected outputs over fixture models.)
same_world=build/same-world
rm -rf "$same_world"
mkdir -p "$same_world"
for script in tests/replay/scenarios/*.txt; do
    name=$(basename "$script" .txt)
    build/linux/tools/replay/quarrytop-replay --data . "$script" >"$same_world/$name.linux.out"
    WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all \
        /usr/lib/wine/wine64 build/windows/tools/replay/quarrytop-replay.exe --data . "$script" \
        >"$same_world/$name.windows.out"
    cmp "$same_world/$name.linux.out" "$same_world/$name.windows.out"
done
echo "same world on Linux and Windows: $(ls tests/replay/scenarios/*.txt | wc -l) scenarios"

# The Windows release: the zip unpacked elsewhere starts, draws and closes.
scripts/release-windows.sh
rm -rf build/release-check
mkdir -p build/release-check
(cd build/release-check && unzip -q ../quarrytop-windows.zip)
tests/platform/end_to_end.sh close build/release-check/quarrytop/quarrytop.exe build/release-check/quarrytop \
    build/release-check/run --wine build/windows/tests/platform/e2e-wineprefix
