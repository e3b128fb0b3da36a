#!/bin/sh
# packaging/apt.sh against two suites on a mirror at 127.0.0.1 (run as
# root): "stale" lists in its Release file an index other than the one it
# serves, as a mirror in the middle of a sync does, and "good" holds a small
# package. The update is tried twice, then warned of, naming the stale index;
# the package is installed all the same, without what it only recommends
# (and removed again); a package that no index has fails with apt's own
# message.
#
#   apt_test.sh DIR     works in DIR, which it empties first
set -eu
work=$1
here=$(cd "$(dirname "$0")" && pwd)
arch=$(dpkg --print-architecture)
probe=quorbix-apt-probe

fail() {
  echo "apt_test.sh: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work/repo" "$work/lists/partial" "$work/cache/archives/partial" "$work/parts" "$work/pkg/DEBIAN"
cd "$work"

# The probe recommends a package, which the install must leave out.
for package in "$probe" "$probe-recommended"; do
  printf 'Package: %s\nVersion: 1\nArchitecture: all\nMaintainer: none <none@example.org>\nDescription: probe\n' \
    "$package" >pkg/DEBIAN/control
  [ "$package" != "$probe" ] || echo "Recommends: $probe-recommended" >>pkg/DEBIAN/control
  dpkg-deb -Zgzip --build pkg "repo/$package.deb" >/dev/null
done
# suite INDEX_LISTED INDEX_SERVED: a suite whose Release lists the first.
suite() {
  dir=repo/dists/$1/main/binary-$arch
  mkdir -p "$dir"
  printf '%s' "$3" >"$dir/Packages"
  {
    printf 'Date: %s\n' "$(LC_ALL=C date -Ru)"
    printf 'Suite: %s\nCodename: %s\nArchitectures: %s\nComponents: main\nSHA256:\n' "$1" "$1" "$arch"
    printf ' %s %s main/binary-%s/Packages\n' "$(printf '%s' "$2" | sha256sum | cut -d' ' -f1)" \
      "$(printf '%s' "$2" | wc -c)" "$arch"
  } >"repo/dists/$1/Release"
}
good=$(cd repo && dpkg-scanpackages . /dev/null 2>/dev/null)
suite good "$good" "$good"
suite stale "Package: $probe-old" "Package: $probe-older-still"

/usr/bin/python3 -u -m http.server 0 --bind 127.0.0.1 --directory repo >server.out 2>server.log &
server=$!
trap 'kill $server' EXIT
for _ in $(seq 100); do
  port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' server.out)
  [ -z "$port" ] || break
  sleep 0.1
done
[ -n "$port" ] || fail "the web server did not start"

printf 'deb [trusted=yes] http://127.0.0.1:%s stale main\ndeb [trusted=yes] http://127.0.0.1:%s good main\n' \
  "$port" "$port" >sources.list
cat >apt.conf <<EOF
Dir::Etc::SourceList "$PWD/sources.list";
Dir::Etc::SourceParts "$PWD/parts";
Dir::State::Lists "$PWD/lists";
Dir::Cache "$PWD/cache";
APT::Sandbox::User "root";
EOF
export APT_CONFIG="$PWD/apt.conf" QUORBIX_APT_ATTEMPTS=2 QUORBIX_APT_PAUSE=0

# shellcheck source=packaging/apt.sh
. "$here/../packaging/apt.sh"
status=0
apt_install test "$probe" >install.out 2>install.err || status=$?
[ $status -eq 0 ] || fail "the install failed: $(cat install.err)"
dpkg-query -W "$probe" >/dev/null 2>&1 || fail "$probe was not installed"
recommended=$(dpkg-query -W -f='${db:Status-Status}' "$probe-recommended" 2>/dev/null) || true
dpkg --purge "$probe" "$probe-recommended" >/dev/null 2>&1
[ "$recommended" != installed ] || fail "what $probe only recommends was installed too"
grep -q "warning: 'apt-get update' failed 2 times" install.err || fail "no warning: $(cat install.err)"
grep -q "127.0.0.1:$port/dists/stale/main/binary-$arch/Packages" install.err ||
  fail "the warning does not name the stale index: $(cat install.err)"
[ "$(grep -c "GET /dists/stale/main/binary-$arch/Packages" server.log)" -eq 2 ] ||
  fail "the stale index was not asked for twice: $(cat server.log)"

status=0
apt_install test quorbix-no-such-package >/dev/null 2>install.err || status=$?
[ $status -ne 0 ] || fail "an install of a package that no index has passed"
grep -q 'Unable to locate package quorbix-no-such-package' install.err ||
  fail "apt's own message is not shown: $(cat install.err)"
echo "apt_test.sh: a stale index is warned of, and the install goes on"
