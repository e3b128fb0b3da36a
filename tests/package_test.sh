#!/bin/sh
# Checks of the zips (Windows, web) that a build's cpack makes:
#
#   package_test.sh pack CPACK_CONFIG DIR      packs the zip into DIR and
#                                              unpacks it into DIR/contents
#   package_test.sh holds DIR FILE...          the zip holds exactly these
#                                              files, in C order
#   package_test.sh rebuilds SOURCE PRESET DIR the preset's zip again, built
#                                              without its tests from a copy
#                                              of SOURCE made under umask
#                                              077: the same bytes
#   package_test.sh windows DIR GAME_INPUT RUNNER...
#                                              quorbix.exe needs only DLLs of
#                                              every Windows, has a version
#                                              resource, and, run by RUNNER,
#                                              plays GAME_INPUT to its end in
#                                              CRLF lines; the texts are CRLF
set -eu
LC_ALL=C
export LC_ALL

fail() {
  echo "package_test.sh: $*" >&2
  exit 1
}

# The one zip in DIR.
zip_in() {
  set -- "$1"/*.zip
  [ $# -eq 1 ] && [ -f "$1" ] || fail "not one zip in $(dirname "$1"): $*"
  echo "$1"
}

# crlf FILE: every line of a non-empty FILE ends in CRLF.
crlf() {
  [ -s "$1" ] || fail "$1 is empty"
  [ "$(grep -c "$(printf '\r')\$" "$1")" -eq "$(wc -l <"$1")" ] || fail "$1 has lines without CRLF"
  [ "$(tail -c 1 "$1" | od -An -c | tr -d ' ')" = '\n' ] || fail "$1 does not end in a line break"
}

case ${1:-} in
  pack)
    config=$2 dir=$3
    rm -rf "$dir"
    mkdir -p "$dir"
    cpack --config "$config" -B "$dir" >"$dir.log" 2>&1 || { cat "$dir.log"; fail "cpack failed"; }
    unzip -q "$(zip_in "$dir")" -d "$dir/contents"
    ;;
  holds)
    dir=$2
    shift 2
    listing=$(unzip -Z1 "$(zip_in "$dir")") || fail "cannot list the zip in $dir"
    files=$(echo "$listing" | sort | tr '\n' ' ')
    [ "$files" = "$* " ] || fail "the zip holds: $files; expected: $*"
    ;;
  rebuilds)
    source=$2 preset=$3 dir=$4 copy=$4/rebuild
    zip=$(zip_in "$dir")
    rm -rf "$copy"
    mkdir -p "$copy"
    # The sources alone: no build tree, no git, no package build's leftovers.
    (umask 077 && cd "$source" &&
      tar -cf - --exclude=./build --exclude=./.git --exclude='./obj-*' \
        --exclude="./$(realpath --relative-to=. "$dir")" . |
      tar -xf - --no-same-permissions -C "$copy")
    [ -f "$copy/CMakeLists.txt" ] || fail "no sources copied to $copy"
    (umask 077 && cd "$copy" && cmake --preset "$preset" -DQUORBIX_BUILD_TESTS=OFF &&
      cmake --build --preset "$preset" && cpack --preset "$preset") >"$copy.log" 2>&1 ||
      { cat "$copy.log"; fail "the rebuild failed"; }
    cmp "$zip" "$copy/build/$preset/$(basename "$zip")" || fail "the rebuilt zip differs"
    rm -rf "$copy" "$copy.log"
    ;;
  windows)
    dir=$2 input=$3
    shift 3
    exe=$dir/contents/quorbix.exe
    imports=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot read $exe"
    dlls=$(echo "$imports" | awk '/DLL Name:/ {print $3}')
    [ -n "$dlls" ] || fail "$exe: no DLL imports found"
    for dll in $dlls; do
      case "$dll" in
        KERNEL32.dll | msvcrt.dll | ADVAPI32.dll | USER32.dll | WS2_32.dll) ;;
        *) fail "$exe needs $dll, which not every Windows has" ;;
      esac
    done
    for field in FileVersion ProductVersion ProductName FileDescription LegalCopyright; do
      x86_64-w64-mingw32-strings -el "$exe" | grep -qx "$field" || fail "no $field in the version resource"
    done
    crlf "$dir/contents/README.txt"
    crlf "$dir/contents/LICENSE.txt"
    status=0
    "$@" "$exe" <"$input" >"$dir/game.out" 2>"$dir/game.err" || status=$?
    [ $status -eq 0 ] || fail "the game ended with status $status: $(head -c 300 "$dir/game.err")"
    [ ! -s "$dir/game.err" ] || fail "the game wrote to standard error: $(head -c 300 "$dir/game.err")"
    [ "$(grep -c 'Grand Total:' "$dir/game.out")" -eq 2 ] || fail "the game did not print both cards"
    crlf "$dir/game.out"
    ;;
  *)
    echo "usage: package_test.sh pack|holds|rebuilds|windows ..." >&2
    exit 2
    ;;
esac
