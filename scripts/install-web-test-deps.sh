#!/usr/bin/env bash
# Installs the browser tests' npm packages (tests/web/package.json, pinned by
# its lock file) into tests/web/node_modules. puppeteer-core brings no
# browser: the tests drive Debian's chromium (scripts/install-deps.sh).
# Idempotent: a second run with the lock file unchanged installs nothing.
set -euo pipefail
cd "$(dirname "$0")/../tests/web"

# npm itself: Debian's package, unless the machine's node already brings one
# (a node from elsewhere conflicts with Debian's npm package).
if ! command -v npm >/dev/null; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq npm
fi

stamp=node_modules/.installed-lock
if [ -f "$stamp" ] && cmp -s package-lock.json "$stamp"; then
    exit 0
fi
npm ci --ignore-scripts --no-audit --no-fund
cp package-lock.json "$stamp"
