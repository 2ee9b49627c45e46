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

# --- Browser build (web engineer's step) -----------------------------------
# The game for WebAssembly and WebGL 1, built with Debian's emscripten: the
# browser layer's input cases under node, the page end to end in headless
# Chromium (Debian's chromium, driven by puppeteer-core from npm), the replay
# tool under node, and the release unpacked and played the same way.
scripts/install-web-test-deps.sh
cmake --preset web
cmake --build --preset web
ctest --preset web

# The same world in the browser build: every replay scenario, over the game's
# own data, prints the Linux build's bytes under node too.
for script in tests/replay/scenarios/*.txt; do
    name=$(basename "$script" .txt)
    node build/web/tools/replay/quarrytop-replay.js --data . "$script" >"$same_world/$name.web.out"
    cmp "$same_world/$name.linux.out" "$same_world/$name.web.out"
done
echo "same world on Linux and in the browser build: $(ls tests/replay/scenarios/*.txt | wc -l) scenarios"

# The browser release: the zip unpacked elsewhere starts, draws and walks.
scripts/release-web.sh
rm -rf build/release-web-check
mkdir -p build/release-web-check
(cd build/release-web-check && unzip -q ../quarrytop-web.zip)
QUARRYTOP_GAME_DIR="$PWD/build/release-web-check/quarrytop-web" \
    QUARRYTOP_WITHOUT_TEX_DIR="$PWD/build/web/tests/web/without-tex" \
    node --test tests/web/browser_test.js
