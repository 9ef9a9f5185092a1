#!/usr/bin/env bash
# Builds the Debian package build-deb/tilings_<version>-1_<arch>.deb from a
# fresh Release build (build-deb/build) staged under /usr: the programs in
# /usr/bin, stripped; the menu entries, icons, metainfo and manual pages
# that `cmake --install` puts under the prefix, the manual pages gzipped;
# the copyright file and the changelog in /usr/share/doc/tilings. The
# manual pages come in English and in French (/usr/share/man/fr). Its
# dependencies are those of the programs' libraries (dpkg-shlibdeps) and
# fonts-liberation, whose Liberation Serif the area labels are written in.
# The version is the project's (project(VERSION) in CMakeLists.txt).
#
# Installs what is missing first (tools/install_deps.sh), with the
# packaging tools. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."

MAINTAINER="Seed c95547ab maintainers <maintainers@users.noreply.c-seed-c95547ab.example>"
DEBIAN_REVISION=1

tools/install_deps.sh
tools/install_deps.sh dpkg-dev file binutils

out=build-deb
build=$out/build
# The staging folder, where dpkg-shlibdeps expects a package's files.
stage=$out/debian/tilings
umask 022

# Debian's hardening flags, on top of the Release build's own.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS | sed 's/-O2//; s/-g\b//')"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTILINGS_TESTS=OFF -DTILINGS_BENCH=OFF \
  -DTILINGS_INSTALL_FONT_COPY=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
read -r version date <"$build/package/release"
deb_version=$version-$DEBIAN_REVISION
arch=$(dpkg --print-architecture)

rm -rf "$stage"
DESTDIR=$PWD/$stage cmake --install "$build" --prefix /usr >/dev/null
for program in "$stage"/usr/bin/*; do
  strip --remove-section=.comment --remove-section=.note --strip-unneeded "$program"
done
find "$stage/usr/share/man" -type f -exec gzip -9n {} +
doc=$stage/usr/share/doc/tilings
mkdir -p "$doc"
cp package/copyright "$doc/copyright"
cat <<CHANGES | gzip -9n >"$doc/changelog.Debian.gz"
tilings ($deb_version) unstable; urgency=medium

  * First package of the collection: eighteen programs with menu entries,
    icons, AppStream metainfo and manual pages, in English and in French.

 -- $MAINTAINER  $(date -R -u -d "$date")
CHANGES
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage"/usr/bin/*

# The libraries' packages, as dpkg-shlibdeps finds them (it reads the
# package names from a debian/control, which it is given here).
mkdir -p "$stage/DEBIAN"
printf 'Source: tilings\n\nPackage: tilings\nArchitecture: any\n' >"$out/debian/control"
programs=()
for program in "$stage"/usr/bin/*; do programs+=(-e"${program#"$out"/}"); done
shlibs=$(cd "$out" && dpkg-shlibdeps -O "${programs[@]}" | sed -n 's/^shlibs:Depends=//p')

(cd "$stage" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$stage/DEBIAN/md5sums"
installed_size=$(du -sk --exclude=DEBIAN "$stage" | cut -f1)
cat >"$stage/DEBIAN/control" <<CONTROL
Package: tilings
Version: $deb_version
Architecture: $arch
Maintainer: $MAINTAINER
Installed-Size: $installed_size
Depends: $shlibs, fonts-liberation
Section: education
Priority: optional
Description: self-similar tilings of the plane, drawn step by step
 Small programs that draw self-similar tilings of the plane: rep-tiles
 that split into smaller copies of themselves (the chair, the pinwheel and
 other right-triangle splits, equilateral-triangle subdivisions), and a
 five-fold patch of hexagons with its strapwork.
 .
 Each of the sixteen window programs draws one figure in a window, some in
 stages, one frame per key press, and has an entry in the desktop's menu.
 Two console programs print small tables about the five-way split of a
 right triangle, with French captions.
 .
 The menu entries, the windows' titles and the manual pages are in English
 and in French.
CONTROL
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

package=$out/tilings_${deb_version}_$arch.deb
rm -f "$out"/tilings_*.deb
SOURCE_DATE_EPOCH=$(date -u -d "$date" +%s) dpkg-deb --root-owner-group -Zxz --build "$stage" "$package" >/dev/null
echo "$package"
