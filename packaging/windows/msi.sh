#!/bin/sh
# Builds the Windows installer with Debian's wixl, byte for byte the same
# whenever the same sources are built:
#
#   msi.sh MSI WXS CHANGELOG STRIP FILE...
#
# The FILEs (the game, stripped with STRIP, its texts and icon) are put in a
# folder of their own with their times set to SOURCE_DATE_EPOCH (else the
# newest changelog entry's), which the installer's cabinet records; wixl
# runs with the clock at that time, for the summary's times; and the package
# code, which wixl draws at random, is set to the one WXS names.
set -eu
export TZ=UTC
msi=$1 wxs=$2 changelog=$3 strip=$4
shift 4
fail() {
  echo "msi.sh: $*" >&2
  exit 1
}
epoch=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$changelog" -STimestamp)}
# strip writes it as the executable's time stamp.
export SOURCE_DATE_EPOCH=$epoch
code=$(sed -n 's/.*<Package Id="\([^"]*\)".*/\1/p' "$wxs")
[ -n "$code" ] || fail "no package code in $wxs"
work=$msi.files
rm -rf "$work" "$msi"
mkdir -p "$work"
cp "$wxs" "$@" "$work/"
"$strip" "$work/quorbix.exe"
touch -d "@$epoch" "$work"/*
wxs=$(basename "$wxs")
(cd "$work" && faketime -f "@$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" sh -c \
  "wixl -a x64 -o out.msi '$wxs' && msibuild out.msi -s quorbix 'the quorbix developers' 'x64;1033' '{$code}'") ||
  fail "wixl failed"
mv "$work/out.msi" "$msi"
rm -rf "$work"
