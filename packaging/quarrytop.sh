#!/bin/sh
# Starts Quarrytop from its data folder, where it reads tex/ and mdl/. The
# folders are found beside this script's own place (usr/games), so the
# game runs installed and from a package merely unpacked somewhere.
set -e
usr=$(dirname "$(readlink -f "$0")")/..
cd "$usr/share/games/quarrytop"
exec "$usr/lib/games/quarrytop/quarrytop"
