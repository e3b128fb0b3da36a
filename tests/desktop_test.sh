#!/bin/sh
# Checks of what the desktop gets:
#
#   desktop_test.sh window COMMAND GAME_INPUT
#       COMMAND (what the desktop entry starts) plays GAME_INPUT to both
#       cards, then says so and waits for Enter; Enter ends it, status 0
#   desktop_test.sh valid DESKTOP METAINFO CHANGELOG
#       the desktop entry and the metainfo pass Debian's validators, and the
#       metainfo's release is the changelog's newest entry
#   desktop_test.sh icons SVG HICOLOR
#       each PNG icon in the theme folder HICOLOR is rsvg-convert's rendering
#       of SVG at its size, and the scalable icon is SVG itself
set -eu
LC_ALL=C
export LC_ALL

fail() {
  echo "desktop_test.sh: $*" >&2
  exit 1
}

case $1 in
  window)
    command=$2 input=$3 work=$(mktemp -d) pid=
    trap 'exec 3>&-; kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
    mkfifo "$work/in"
    $command <"$work/in" >"$work/out" 2>"$work/err" &
    pid=$!
    exec 3>"$work/in"
    # A command that ended early is told by what it wrote, not by a signal.
    trap '' PIPE
    cat "$input" >&3 || true
    for _ in $(seq 300); do
      ! grep -q 'press Enter to close this window' "$work/out" || break
      sleep 0.1
    done
    grep -q 'press Enter to close this window' "$work/out" ||
      fail "no word of Enter after the game: $(tail -n 3 "$work/out") $(head -c 300 "$work/err")"
    [ "$(grep -c '^Grand Total:' "$work/out")" -eq 2 ] || fail "the game did not show both cards"
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "it did not wait for Enter"
    echo >&3
    status=0
    wait "$pid" || status=$?
    [ $status -eq 0 ] || fail "it ended with status $status after Enter"
    [ ! -s "$work/err" ] || fail "it wrote to standard error: $(head -c 300 "$work/err")"
    ;;
  valid)
    desktop-file-validate "$2" || fail "desktop-file-validate: $2 (above)"
    appstreamcli validate --pedantic --no-net "$3" || fail "appstreamcli: $3 (above)"
    version=$(sed -n '1s/^quorbix (\([^)]*\)).*/\1/p' "$4")
    date=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$4" | head -n 1)" +%F)
    grep -q "<release version=\"$version\" date=\"$date\"/>" "$3" ||
      fail "the metainfo's release is not the changelog's $version of $date: $(grep '<release' "$3")"
    ;;
  icons)
    svg=$2 hicolor=$3 found=0
    cmp "$svg" "$hicolor/scalable/apps/quorbix.svg" || fail "the scalable icon is not $svg"
    for png in "$hicolor"/*x*/apps/quorbix.png; do
      [ -f "$png" ] || continue
      size=${png#"$hicolor"/}
      size=${size%%x*}
      rsvg-convert -w "$size" -h "$size" "$svg" | cmp - "$png" || fail "$png is not $svg at $size px"
      found=$((found + 1))
    done
    [ $found -ge 4 ] || fail "only $found PNG icons in $hicolor"
    ;;
  *)
    echo "usage: desktop_test.sh window|valid|icons ..." >&2
    exit 2
    ;;
esac
