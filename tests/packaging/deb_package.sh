#!/usr/bin/env bash
# The Debian package as a player gets it: its listing holds the launcher, the
# program, every data file of the repository, the desktop entry and the
# icon; its dependencies name SDL2 and the GL library; lintian has nothing to
# say about it; and unpacked into a temporary root, its launcher starts the
# game from the package's own data folder, started from an empty folder:
# the end-to-end play case (the window, the sky, the counters, walking,
# Escape gives 0).
#
# usage: QUARRYTOP_X_PROBE=... deb_package.sh DEB WORK
#   DEB   the package (scripts/release-linux.sh prints its path)
#   WORK  a folder for this check (emptied first)
# QUARRYTOP_X_PROBE is the Linux build's tests/platform/x_probe, which the
# end-to-end test watches the frames with.
set -euo pipefail

if [ $# -ne 2 ]; then
    sed -n '2,14p' "$0" >&2
    exit 2
fi
deb=$(realpath "$1")
work=$2
repository=$(realpath "$(dirname "$0")/../..")
rm -rf "$work"
mkdir -p "$work"
work=$(realpath "$work")
log() { echo "[$(date +%T)] $*"; }
fail() {
    log "FAIL: $*"
    exit 1
}

log "listing $deb"
dpkg-deb -c "$deb" >"$work/listing.txt"
# entry MODE PATH: the listing holds PATH with that mode.
entry() {
    awk -v mode="$1" -v path="./$2" '$1 == mode && $6 == path {found = 1} END {exit !found}' \
        "$work/listing.txt" || fail "the package has no $2 with mode $1 (see $work/listing.txt)"
}
entry -rwxr-xr-x usr/games/quarrytop
entry -rwxr-xr-x usr/lib/games/quarrytop/quarrytop
entry -rw-r--r-- usr/share/applications/quarrytop.desktop
entry -rw-r--r-- usr/share/icons/hicolor/64x64/apps/quarrytop.png
entry -rw-r--r-- usr/share/doc/quarrytop/copyright
for file in "$repository"/tex/*.png "$repository"/mdl/*.bmf; do
    entry -rw-r--r-- "usr/share/games/quarrytop/${file#"$repository"/}"
done
awk '{print $1}' "$work/listing.txt" | grep -qv '^[-d]' && fail "the package holds links or devices"
grep -v ' root/root ' "$work/listing.txt" && fail "files not owned by root in the package"

depends=$(dpkg-deb -f "$deb" Depends)
log "depends: $depends"
for library in libsdl2-2.0-0 libgl1 libc6; do
    [[ ", $depends," == *", $library "* || ", $depends," == *", $library,"* ]] ||
        fail "the dependencies do not name $library: $depends"
done

log "lintian"
lintian "$deb" >"$work/lintian.txt" 2>"$work/lintian-stderr.txt" ||
    fail "lintian failed: $(cat "$work/lintian.txt" "$work/lintian-stderr.txt")"
[ ! -s "$work/lintian.txt" ] || fail "lintian has something to say: $(cat "$work/lintian.txt")"

log "unpacking into $work/root"
dpkg-deb -x "$deb" "$work/root"
for file in "$repository"/tex/*.png "$repository"/mdl/*.bmf; do
    cmp "$file" "$work/root/usr/share/games/quarrytop/${file#"$repository"/}" ||
        fail "the package's copy of ${file#"$repository"/} differs"
done

# Started from a folder without tex/ or mdl/: the launcher finds the data.
mkdir -p "$work/elsewhere"
"$repository/tests/platform/end_to_end.sh" play "$work/root/usr/games/quarrytop" "$work/elsewhere" "$work/play"
log "passed: the package $deb"
