#!/usr/bin/env bash
# Builds the browser release: build/quarrytop-web.zip, a folder quarrytop-web/
# holding the page (index.html), the game's script and wasm, and the data pack
# (tex/ and mdl/). Any web server serves it as it is, e.g.
#   cd quarrytop-web && python3 -m http.server   then open http://localhost:8000/
# (a page opened straight from the disk may not fetch its wasm and data).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web --target quarrytop

built=build/web/src/platform/web
stage=build/release-web/quarrytop-web
rm -rf build/release-web build/quarrytop-web.zip
mkdir -p "$stage"
cp "$built/index.html" "$built/quarrytop.js" "$built/quarrytop.wasm" \
    "$built/quarrytop-data.js" "$built/quarrytop.data" "$stage/"
(cd build/release-web && zip -qr ../quarrytop-web.zip quarrytop-web)
echo "build/quarrytop-web.zip:"
unzip -l build/quarrytop-web.zip
