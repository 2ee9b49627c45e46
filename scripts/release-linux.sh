#!/usr/bin/env bash
# Builds the Debian package of the Linux game:
# build/quarrytop_<version>_<arch>.deb, installed with
#   apt install ./build/quarrytop_<version>_amd64.deb
# It holds the game in /usr/lib/games/quarrytop/ with a launcher in
# /usr/games/quarrytop that starts it from its data folder,
# /usr/share/games/quarrytop/ (tex/ and mdl/), a desktop entry, an icon, a
# manual page, and the library dependencies that dpkg-shlibdeps finds in the
# program. The version is the newest entry of packaging/changelog. Prints the
# package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

scripts/install-deps.sh test
cmake --preset play >/dev/null
cmake --build --preset play --target quarrytop >&2

version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
arch=$(dpkg --print-architecture)
deb=build/quarrytop_${version}_${arch}.deb
work=build/deb
root=$work/root
rm -rf "$work" "$deb"

games_lib=$root/usr/lib/games/quarrytop
data=$root/usr/share/games/quarrytop
doc=$root/usr/share/doc/quarrytop
icons=$root/usr/share/icons/hicolor/64x64/apps
install -d "$root/usr/games" "$games_lib" "$data/tex" "$data/mdl" "$doc" "$icons" \
    "$root/usr/share/applications" "$root/usr/share/man/man6" "$root/DEBIAN"

# The program without its debugging information, which stays in the build.
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
    -o "$games_lib/quarrytop" build/play/src/platform/sdl/quarrytop
chmod 755 "$games_lib/quarrytop"
install -m 755 packaging/quarrytop.sh "$root/usr/games/quarrytop"
install -m 644 tex/*.png "$data/tex/"
install -m 644 mdl/*.bmf "$data/mdl/"
install -m 644 packaging/quarrytop.desktop "$root/usr/share/applications/"
gzip -9n <packaging/quarrytop.6 >"$root/usr/share/man/man6/quarrytop.6.gz"
install -m 644 packaging/copyright "$doc/"
gzip -9n <packaging/changelog >"$doc/changelog.gz"
chmod 644 "$root/usr/share/man/man6/quarrytop.6.gz" "$doc/changelog.gz"

# The icon: the grass tile of the game's own atlas with the strike marker
# over it, each atlas pixel drawn as 2 x 2 (the atlas is 16 x 16 tiles of
# 32 pixels; the bottom row holds the terrain tiles and the marker).
convert tex/icon.png \( -clone 0 -crop 32x32+96+480 +repage \) \( -clone 0 -crop 32x32+128+480 +repage \) \
    -delete 0 -composite -filter point -resize 64x64 -strip "$icons/quarrytop.png"
chmod 644 "$icons/quarrytop.png"

# The library dependencies of the program, as dpkg-shlibdeps finds them
# (it wants a source package's control file to stand beside it).
mkdir -p "$work/source/debian"
printf 'Source: quarrytop\n\nPackage: quarrytop\nArchitecture: any\n' >"$work/source/debian/control"
depends=$(cd "$work/source" && dpkg-shlibdeps -O -e"../root/usr/lib/games/quarrytop/quarrytop" |
    sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || {
    echo "dpkg-shlibdeps found no dependencies" >&2
    exit 1
}

installed_size=$(du -sk --apparent-size "$root/usr" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@INSTALLED_SIZE@/$installed_size/" \
    -e "s/@DEPENDS@/$depends/" packaging/control.in >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >&2
echo "$deb"
