#!/bin/sh
# Makes a release of the commit checked out: run as root from the top of a
# clone on Debian 12. It writes build/dist/ holding the source tarball, the
# Debian source package, the Debian packages for amd64, arm64, armhf and
# i386 (and, for amd64, the board's and the page's), the Windows installer
# and zip, the static Linux tarballs for x86-64
# and aarch64, the web zip and SHA256SUMS, which lists them all.
#
# Every file but the source tarball is built from that tarball, unpacked in a
# folder of its own, so what is published as source builds all that is
# published. The suites do not run here (CI runs them). Two releases of the
# same commit give the same bytes, from any folder, under any umask, time
# zone or locale. No file for players holds a placeholder left unfilled.
# It changes this machine for good: the architectures it cross-builds for
# are added to dpkg, and missing Debian packages are installed.
set -eu
cd "$(dirname "$0")/.."
umask 022
export LC_ALL=C.UTF-8 TZ=UTC
unset DEB_BUILD_OPTIONS DEB_BUILD_PROFILES

fail() {
  echo "release.sh: $*" >&2
  exit 1
}
[ -f debian/changelog ] && [ -e .git ] || fail "run it from the top of a clone"
[ "$(dpkg --print-architecture)" = amd64 ] || fail "it builds on amd64 (Debian's), not $(dpkg --print-architecture)"

# The version is the changelog's and the sources are the commit's: a newest
# entry that is not committed would name a release that is not built.
committed() {
  git diff --quiet HEAD -- debian/changelog ||
    fail "debian/changelog has changes that are not committed: commit them first, as the release" \
      "is built from the commit and named by the changelog"
}
! command -v git >/dev/null || committed

# Hosted by this machine: amd64. The others are cross-built.
arches="arm64 armhf i386"
packages="git dpkg-dev debhelper build-essential cmake g++ unzip strip-nondeterminism
  g++-mingw-w64-x86-64-posix emscripten mandoc terser cleancss wixl msitools faketime librsvg2-bin
  icoutils pkg-config libwebkit2gtk-4.1-dev"
for arch in $arches; do
  dpkg --print-foreign-architectures | grep -qx "$arch" || dpkg --add-architecture "$arch" ||
    fail "cannot add the architecture $arch (as root?)"
  packages="$packages crossbuild-essential-$arch libc6:$arch libstdc++6:$arch libgcc-s1:$arch"
done
# shellcheck source=packaging/apt.sh
. packaging/apt.sh
# shellcheck disable=SC2086 # one word per package
apt_install release.sh $packages || fail "cannot install what it needs (apt's message is above)"
committed

version=$(dpkg-parsechangelog -S Version)
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp)
export SOURCE_DATE_EPOCH
name=quorbix-$version
dist=$PWD/build/dist
work=$PWD/build/release-work
rm -rf "$dist" "$work"
mkdir -p "$dist" "$work"

# log WHAT COMMAND...: runs it with its output in a log, shown when it fails.
log() {
  what=$1
  shift
  "$@" >"$work/$what.log" 2>&1 || { cat "$work/$what.log"; fail "$what failed; its output is above"; }
}

echo "release.sh: $name, from commit $(git rev-parse --short HEAD)"
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  echo "release.sh: changes that are not committed are left out"
git archive --format=tar --prefix="$name/" HEAD | gzip -n -9 >"$dist/$name.tar.gz"
tar -xzpf "$dist/$name.tar.gz" -C "$work"
src=$work/$name

# The Debian source package, then each architecture's binary package, built
# without the suite: the nocheck profile drops its build dependencies too.
# amd64's build makes the board and the page's files as well; the others
# are cross-built without the board, whose cross build dependencies Debian
# 12 cannot install.
(cd "$work" && log source dpkg-source -b "$name")
for arch in amd64 $arches; do
  profiles=cross,nocheck,pkg.quorbix.noboard only=-B
  [ "$arch" != amd64 ] || profiles=nocheck only=-b
  (cd "$src" && log "deb-$arch" env DEB_BUILD_OPTIONS=nocheck \
    dpkg-buildpackage -a "$arch" -P"$profiles" -us -uc "$only")
done
for arch in amd64 $arches; do
  cp "$work/quorbix_${version}_$arch.deb" "$dist/"
done
cp "$work/quorbix-board_${version}_amd64.deb" "$work/quorbix-web_${version}_all.deb" "$dist/"
cp "$work/quorbix_$version.dsc" "$work/quorbix_$version.tar.xz" "$dist/"

# The zips, the installer and the Linux tarballs, by their presets, without
# the tests.
for preset in windows web linux-x86_64 linux-aarch64; do
  pack=
  case $preset in windows | web) pack="&& cpack --preset $preset" ;; esac
  (cd "$src" && log "$preset" sh -c "cmake --preset $preset -DQUORBIX_BUILD_TESTS=OFF &&
    cmake --build --preset $preset $pack")
done
cp "$src/build/windows/$name-win64.zip" "$src/build/windows/$name-win64.msi" \
  "$src/build/web/$name-web.zip" "$src/build/linux-x86_64/$name-x86_64-linux.tar.gz" \
  "$src/build/linux-aarch64/$name-aarch64-linux.tar.gz" "$dist/"

# No file built for players holds a placeholder left unfilled (@NAME@):
# every text in each, unpacked, the installer's tables too. (The sources
# hold the templates themselves.)
unpacked=$work/unpacked
for file in "$dist"/*; do
  into=$unpacked/$(basename "$file")
  mkdir -p "$into"
  case $file in
    *.deb) dpkg-deb -R "$file" "$into" ;;
    *.zip) unzip -q "$file" -d "$into" ;;
    *-linux.tar.gz) tar -xzf "$file" -C "$into" ;;
    *.msi)
      # (msiinfo writes a table's binary streams into a folder beside it.)
      (cd "$into" && msiextract "$file" >/dev/null && for table in $(msiinfo tables "$file"); do
        msiinfo export "$file" "$table" >"$table.idt"
      done)
      ;;
    *) rmdir "$into" ;;
  esac
done
[ "$(find "$unpacked" -type f | wc -l)" -gt 20 ] || fail "too few files unpacked from $dist"
unfilled=$(grep -rIoE '@[A-Za-z_][A-Za-z0-9_]*@' "$unpacked" | sort -u) || true
[ -z "$unfilled" ] || fail "placeholders left unfilled in the release: $unfilled"

(cd "$dist" && sha256sum -- * >SHA256SUMS)
[ "$(wc -l <"$dist/SHA256SUMS")" -eq 14 ] || fail "not fourteen files in $dist"
echo "release.sh: $dist holds:"
cat "$dist/SHA256SUMS"
