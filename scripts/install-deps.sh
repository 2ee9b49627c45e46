#!/usr/bin/env bash
# Installs, with apt-get, whatever this project needs and the machine lacks.
# Idempotent: it asks dpkg first, so a second run installs nothing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  # libraries: tests, benchmarks, images, window and GL
  libgtest-dev googletest libbenchmark-dev libstb-dev libsdl2-dev libgl-dev
  # a real OpenGL without a GPU (Mesa's software rasteriser) and an X server
  # without a screen, for the GL and end-to-end tests
  libgl1-mesa-dri xvfb xauth x11-utils imagemagick xdotool
  # the end-to-end tests' X client (x_probe: a close request, the first frame)
  libx11-dev libxdamage-dev
  # the Windows build: cross compiler, and Wine to run it
  g++-mingw-w64-x86-64-posix wine wine64
  # release archive, and unpacking it to check it
  zip unzip
  # building the tools: quarrytop-model reads Wavefront OBJ with tinyobjloader
  # (its header alone for the Windows cross build)
  libtinyobjloader-dev
  # tests only: the browser build (emscripten's compiler, its wasm tools and
  # the JavaScript parser its optimiser needs) and the headless browser its
  # end-to-end tests drive
  emscripten binaryen node-acorn chromium
)

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
