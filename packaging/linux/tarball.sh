#!/bin/sh
# Makes the Linux tarball of the static game, byte for byte the same
# whenever the same sources are built:
#
#   tarball.sh TARBALL CHANGELOG STRIP GAME FILE...
#
# TARBALL, NAME.tar.gz, holds one folder, NAME, with GAME stripped by STRIP
# and the FILEs: every time SOURCE_DATE_EPOCH (else the newest changelog
# entry's), owned by root, in name order, gzipped without a name or time.
set -eu
tarball=$1 changelog=$2 strip=$3
shift 3
epoch=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$changelog" -STimestamp)}
name=$(basename "$tarball" .tar.gz)
work=$tarball.files
rm -rf "$work" "$tarball"
mkdir -p "$work/$name"
cp "$@" "$work/$name/"
game=$work/$name/$(basename "$1")
"$strip" "$game"
chmod 644 "$work/$name"/*
chmod 755 "$work/$name" "$game"
tar --sort=name --mtime="@$epoch" --owner=0 --group=0 --numeric-owner -C "$work" -cf - "$name" |
  gzip -n -9 >"$tarball"
rm -rf "$work"
