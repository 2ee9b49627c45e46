#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

# Any failing command ends the run, saying in which step.
step="start"
trap 'echo "scripts/test.sh: FAILED in step \"$step\": line $LINENO: \"$BASH_COMMAND\" ended with status $?" >&2' ERR
set -o errtrace
begin() {
    step=$1
    echo "=== $step"
}

begin "installing the dependencies"
scripts/install-deps.sh

# GL and end-to-end tests need an X server; Mesa renders in software. Each
# call gets a server of its own on a display no one else uses.
run_x() { tests/platform/with_xvfb.sh "$@"; }

begin "Linux build and tests"
cmake --preset linux
cmake --build --preset linux
run_x ctest --preset linux

begin "Linux build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
run_x ctest --preset asan

# --- Fuzz smoke: the readers of outside files under libFuzzer -------------
# The libFuzzer targets (the .bmf reader, the OBJ import, the image
# loading), built with clang, run a few seconds each from their seed corpora;
# a crash or a sanitizer report fails them.
begin "fuzz smoke of the .bmf reader, the OBJ import and the image loading"
cmake --preset fuzz
cmake --build --preset fuzz -j 2 --target fuzz_parse_model fuzz_make_model_seeds \
    fuzz_obj_import fuzz_make_obj_seeds fuzz_image
ctest --test-dir build/fuzz -L fuzz --output-on-failure

# --- Windows build: unit tests, replay scenarios and the game under Wine ----
# The game and the tests cross-built with mingw-w64; the unit tests, the
# replay scenarios and the game end to end run under Wine on Xvfb. The
# build's Wine prefix is made afresh and checked complete before any
# Windows program runs; its server and desktop are then kept up on this
# run's display for the whole ctest run (with_wine.sh). The end-to-end tests
# make their own prefix once (a CTest fixture) and each runs on an X server
# of its own; they use the Linux build's x_probe.
begin "Windows build"
x_probe="$PWD/build/linux/tests/platform/x_probe"
[ -x "$x_probe" ] || { echo "scripts/test.sh: no $x_probe after the Linux build" >&2; false; }
cmake --preset windows -DQUARRYTOP_X_PROBE="$x_probe"
cmake --build --preset windows
wine_prefix="$PWD/build/windows/wineprefix"
desktop_probe="$PWD/build/windows/tests/platform/wine_desktop_probe.exe"
with_wine() { run_x tests/platform/with_wine.sh "$wine_prefix" "$desktop_probe" "$@"; }

begin "a fresh Wine prefix for the Windows build"
tests/platform/make_wine_prefix.sh "$wine_prefix"

# A Wine process can fail to start without a word while the machine is busy
# (the test then fails in a few hundredths of a second with no output); a
# failed test gets one more run, so only a fault that repeats fails the step.
begin "Windows tests under Wine"
with_wine ctest --preset windows --repeat until-pass:2

# --- The same world on both builds ------------------------------------------
# Every replay scenario, run over the game's own data, prints the same bytes
# from the Linux build and from the Windows build under Wine. (The scenario
# tests above compare each build with the expected outputs over fixture
# models.)
begin "the same world on Linux and Windows"
same_world=build/same-world
rm -rf "$same_world"
mkdir -p "$same_world"
for script in tests/replay/scenarios/*.txt; do
    name=$(basename "$script" .txt)
    build/linux/tools/replay/quarrytop-replay --data . "$script" >"$same_world/$name.linux.out"
done
with_wine bash -c '
    set -euo pipefail
    for script in tests/replay/scenarios/*.txt; do
        name=$(basename "$script" .txt)
        /usr/lib/wine/wine64 build/windows/tools/replay/quarrytop-replay.exe --data . "$script" \
            >"$1/$name.windows.out"
    done' same-world "$same_world"
for script in tests/replay/scenarios/*.txt; do
    name=$(basename "$script" .txt)
    cmp "$same_world/$name.linux.out" "$same_world/$name.windows.out"
done
echo "same world on Linux and Windows: $(ls tests/replay/scenarios/*.txt | wc -l) scenarios"

# --- The Windows release -----------------------------------------------------
# The zip unpacked elsewhere starts, draws and closes, in a fresh prefix.
begin "the Windows release"
scripts/release-windows.sh
rm -rf build/release-check
mkdir -p build/release-check
(cd build/release-check && unzip -q ../quarrytop-windows.zip)
tests/platform/make_wine_prefix.sh build/release-check/wineprefix
QUARRYTOP_X_PROBE="$x_probe" tests/platform/end_to_end.sh close \
    build/release-check/quarrytop/quarrytop.exe build/release-check/quarrytop build/release-check/run \
    --wine build/release-check/wineprefix "$desktop_probe"

# --- The Debian package ------------------------------------------------------
# Built from the play build, listed, checked by lintian, unpacked into a
# temporary root and started there through its launcher (the end-to-end
# play case, on an X server of its own).
begin "the Debian package, unpacked and played"
deb=$(scripts/release-linux.sh | tail -n 1)
QUARRYTOP_X_PROBE="$x_probe" tests/packaging/deb_package.sh "$deb" build/deb-check

# --- Browser build: the game for WebAssembly and WebGL 1 -------------------
# Built with Debian's emscripten: the
# browser layer's input cases under node, the page end to end in headless
# Chromium (Debian's chromium, driven by puppeteer-core from npm), the replay
# tool under node, and the release unpacked and played the same way.
begin "browser build and tests"
scripts/install-web-test-deps.sh
cmake --preset web
cmake --build --preset web
ctest --preset web

# The same world in the browser build: every replay scenario, over the game's
# own data, prints the Linux build's bytes under node too.
begin "the same world on Linux and in the browser build"
for script in tests/replay/scenarios/*.txt; do
    name=$(basename "$script" .txt)
    node build/web/tools/replay/quarrytop-replay.js --data . "$script" >"$same_world/$name.web.out"
    cmp "$same_world/$name.linux.out" "$same_world/$name.web.out"
done
echo "same world on Linux and in the browser build: $(ls tests/replay/scenarios/*.txt | wc -l) scenarios"

# The browser release: the zip unpacked elsewhere starts, draws and walks.
begin "the browser release, unpacked and played"
scripts/release-web.sh
rm -rf build/release-web-check
mkdir -p build/release-web-check
(cd build/release-web-check && unzip -q ../quarrytop-web.zip)
QUARRYTOP_GAME_DIR="$PWD/build/release-web-check/quarrytop-web" \
    QUARRYTOP_WITHOUT_TEX_DIR="$PWD/build/web/tests/web/without-tex" \
    node --test tests/web/browser_test.js

step="done"
echo "=== all tests passed"
