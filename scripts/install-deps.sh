#!/usr/bin/env bash
# Installs, with apt-get, what one command of this project needs and the
# machine lacks. Idempotent: it asks dpkg first, so a second run installs
# nothing.
#
# usage: scripts/install-deps.sh [play|test]
#   play  building and running the Linux game, nothing more (scripts/play.sh)
#   test  the play list and everything the tests, the other builds and the
#         releases need (scripts/test.sh, the release scripts); the default
set -euo pipefail

# --- play: build the Linux game and run it ------------------------------------
play_packages=(
  # compiler and build
  cmake ninja-build g++
  # the game's libraries: window and GL, and the image decoder (headers only)
  libsdl2-dev libgl-dev libstb-dev
  # Mesa's OpenGL drivers, where the machine has none yet
  libgl1-mesa-dri
)

# --- test: everything else, one group per need; new groups go here -----------
test_packages=(
  # the fuzz build and its sanitizer runtime
  clang libclang-rt-14-dev pkg-config
  # tests and benchmarks
  libgtest-dev googletest libbenchmark-dev
  # an X server without a screen for the GL and end-to-end tests, and what
  # drives and looks at the game there
  xvfb xauth x11-utils imagemagick xdotool
  # the end-to-end tests' X client (x_probe: a close request, the first frame)
  libx11-dev libxdamage-dev
  # the Windows build: cross compiler, and Wine to run it
  g++-mingw-w64-x86-64-posix wine wine64
  # the Windows release archive, and unpacking it to check it
  zip unzip
  # building the tools: quarrytop-model reads Wavefront OBJ with tinyobjloader
  # (its header alone for the Windows cross build)
  libtinyobjloader-dev
  # the browser build (emscripten's compiler, its wasm tools and the
  # JavaScript parser its optimiser needs) and the headless browser its
  # end-to-end tests drive
  emscripten binaryen node-acorn chromium
  # the Debian package: its library dependencies (dpkg-shlibdeps) and its check
  dpkg-dev lintian
)

case "${1:-test}" in
play) packages=("${play_packages[@]}") ;;
test) packages=("${play_packages[@]}" "${test_packages[@]}") ;;
*)
  sed -n '2,9p' "$0" >&2
  exit 2
  ;;
esac

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
