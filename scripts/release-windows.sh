#!/usr/bin/env bash
# Builds the Windows release: build/quarrytop-windows.zip, a folder
# quarrytop/ holding quarrytop.exe, tex/ and mdl/. Unpacked anywhere on
# 64-bit Windows it runs as it is (the C and C++ runtimes are linked in; it
# needs only the system's own DLLs and an OpenGL 2.0 driver).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target quarrytop

stage=build/release/quarrytop
rm -rf build/release build/quarrytop-windows.zip
mkdir -p "$stage"
# The debugging information stays in the build; the player gets the program.
x86_64-w64-mingw32-strip -o "$stage/quarrytop.exe" build/windows/src/platform/win32/quarrytop.exe
cp -r tex mdl "$stage/"
(cd build/release && zip -qr ../quarrytop-windows.zip quarrytop)
echo "build/quarrytop-windows.zip:"
unzip -l build/quarrytop-windows.zip
