#!/bin/sh
# Checks that the builders' and players' documents say what the sources do:
#
#   docs_test.sh version SOURCE   README.md and BUILDING.md name the release
#                                 files by the version of debian/changelog
#   docs_test.sh installs SOURCE  each install line of BUILDING.md above a
#                                 preset's workflow or a package build names
#                                 the packages continuous integration installs
#                                 for it (.ci/run --packages), and every one
#                                 of those has its line
set -eu
LC_ALL=C
export LC_ALL
source=$2

fail() {
  echo "docs_test.sh: $*" >&2
  exit 1
}

words() { tr ' ' '\n' | sed '/^$/d' | sort | tr '\n' ' '; }

case $1 in
  version)
    version=$(sed -n '1s/^quorbix (\([^)]*\)).*/\1/p' "$source/debian/changelog")
    [ -n "$version" ] || fail "no version in the first line of debian/changelog"
    named=$(cd "$source" && grep -noE 'quorbix[-_][0-9]+\.[0-9]+\.[0-9]+' README.md BUILDING.md) ||
      fail "README.md and BUILDING.md name no release file"
    wrong=$(echo "$named" | grep -vE "[-_]$(echo "$version" | sed 's/\./\\./g')\$" || true)
    [ -z "$wrong" ] || fail "not the changelog's version $version: $(echo "$wrong" | tr '\n' ' ')"
    ;;
  installs)
    listed=$(awk '
      /^    apt-get install -y --no-install-recommends / { line = $0; sub(/^ *apt-get install -y --no-install-recommends /, "", line); next }
      line != "" && /^    cmake --workflow --preset / { print $4 "=" line }
      line != "" && /^    dpkg-buildpackage / { name = "deb"; for (i = 2; i < NF; i++) if ($i == "-a") name = "deb-" $(i + 1); print name "=" line }
      { line = "" }' "$source/BUILDING.md")
    [ -n "$listed" ] || fail "BUILDING.md has no install line above a build"
    names=$(bash "$source/.ci/run" --packages) || fail ".ci/run lists no packages"
    for name in $names; do
      documented=$(echo "$listed" | sed -n "s/^$name=//p")
      [ -n "$documented" ] || fail "BUILDING.md has no install line for $name"
      [ "$(echo "$documented" | wc -l)" -eq 1 ] || fail "BUILDING.md has more than one install line for $name"
      ci=$(bash "$source/.ci/run" --packages "$name")
      [ "$(echo "$documented" | words)" = "$(echo "$ci" | words)" ] ||
        fail "BUILDING.md installs for $name: $documented; continuous integration: $ci"
    done
    for name in $(echo "$listed" | sed 's/=.*//'); do
      echo " $names " | tr '\n' ' ' | grep -q " $name " || fail "BUILDING.md installs for $name, which CI does not build"
    done
    ;;
  *)
    echo "usage: docs_test.sh version|installs SOURCE" >&2
    exit 2
    ;;
esac
