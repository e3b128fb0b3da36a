#!/bin/sh
# Checks of what the desktop gets:
#
#   desktop_test.sh window COMMAND GAME_INPUT [early]
#       COMMAND (what the desktop entry starts), on a terminal, titles it
#       quorbix and plays GAME_INPUT to both cards (with "early", GAME_INPUT
#       and then Ctrl-D, which ends the game early), then says how the game
#       ended in at most 80 columns and waits for Enter; Enter ends it, with
#       the game's status
#   desktop_test.sh valid DESKTOP METAINFO CHANGELOG [PREFIX ROOT]
#       the desktop entry and the metainfo pass Debian's validators, the
#       entry opens a terminal for the launcher that waits for Enter (or,
#       with Terminal=false, starts a program), installed under ROOT in
#       place of PREFIX, the metainfo launches the
#       entry and has its categories, and the metainfo's release is the
#       changelog's newest entry
#   desktop_test.sh icons SVG HICOLOR [NAME]
#       each PNG icon NAME (quorbix, unless told) in the theme folder
#       HICOLOR is rsvg-convert's rendering of SVG at its size, and the
#       scalable icon is SVG itself
set -eu
LC_ALL=C
export LC_ALL

fail() {
  echo "desktop_test.sh: $*" >&2
  exit 1
}

case $1 in
  window)
    command=$2 input=$3 early=${4:-} work=$(mktemp -d) pid=
    trap 'exec 3>&-; kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
    mkfifo "$work/in"
    # script gives it a terminal, as a terminal window does.
    script -qfec "$command" /dev/null <"$work/in" >"$work/out" 2>"$work/err" &
    pid=$!
    exec 3>"$work/in"
    # A command that ended early is told by what it wrote, not by a signal.
    trap '' PIPE
    { cat "$input"; [ -z "$early" ] || printf '\004'; } >&3 || true
    for _ in $(seq 300); do
      ! grep -q 'Press Enter to close this window' "$work/out" || break
      sleep 0.1
    done
    tr -d '\r' <"$work/out" >"$work/text"
    closing=$(tail -n 1 "$work/text")
    case $closing in *'Press Enter to close this window'*) ;;
      *) fail "no word of Enter after the game: $(tail -n 3 "$work/text") $(head -c 300 "$work/err")" ;;
    esac
    # (The terminal echoes the answers, which are typed ahead.)
    case $(sed '/Please Enter Your Name/q' "$work/out") in *"$(printf '\033]0;quorbix\007')"*) ;;
      *) fail "the window is not titled quorbix before the game: $(head -c 60 "$work/out" | od -c)" ;;
    esac
    [ ${#closing} -le 80 ] || fail "the closing line is ${#closing} columns, wider than a terminal: $closing"
    cards=$(grep -c '^Grand Total:' "$work/text" || true)
    if [ -n "$early" ]; then
      [ "$cards" -eq 0 ] || fail "the game did not end early"
      case $closing in *[Cc]ard*) fail "after an early end, the closing line names cards: $closing" ;; esac
      case $closing in *early*) ;; *) fail "the closing line does not say the game ended early: $closing" ;; esac
    else
      [ "$cards" -eq 2 ] || fail "the game did not show both cards"
      case $closing in *'score cards are above'*) ;; *) fail "the closing line names no cards: $closing" ;; esac
    fi
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "it did not wait for Enter"
    printf '\r' >&3
    status=0
    wait "$pid" || status=$?
    [ $status -eq "$([ -n "$early" ] && echo 1 || echo 0)" ] || fail "it ended with status $status after Enter"
    [ ! -s "$work/err" ] || fail "it wrote to standard error: $(head -c 300 "$work/err")"
    ;;
  valid)
    desktop-file-validate "$2" || fail "desktop-file-validate: $2 (above)"
    appstreamcli validate --pedantic --no-net "$3" || fail "appstreamcli: $3 (above)"
    # What the validators leave alone: the entry opens a terminal for the
    # launcher, which is installed where Exec says (under ROOT, in place of
    # PREFIX) and waits at the end; the metainfo launches the installed
    # entry and lists the entry's categories.
    launcher=$(sed -n 's/^Exec=//p' "$2")
    launcher=${6:-}${launcher#"${5:-}"}
    if grep -qx 'Terminal=false' "$2"; then
      [ -x "$launcher" ] || fail "Exec of $2 is not an installed program: $launcher"
    else
      grep -qx 'Terminal=true' "$2" || fail "$2 does not open a terminal"
      [ -x "$launcher" ] && grep -q 'Press Enter to close this window' "$launcher" ||
        fail "Exec of $2 is not the installed launcher that waits for Enter: $launcher"
    fi
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$3")
    [ "$launchable" = "$(basename "$2")" ] || fail "the metainfo launches $launchable, not $(basename "$2")"
    categories=$(sed -n 's|.*<category>\(.*\)</category>.*|\1;|p' "$3" | tr -d '\n')
    grep -qx "Categories=$categories" "$2" ||
      fail "the metainfo's categories, $categories, are not the entry's: $(grep '^Categories=' "$2")"
    version=$(sed -n '1s/^quorbix (\([^)]*\)).*/\1/p' "$4")
    date=$(date -u -d "$(sed -n 's/^ -- .*>  //p' "$4" | head -n 1)" +%F)
    grep -q "<release version=\"$version\" date=\"$date\"/>" "$3" ||
      fail "the metainfo's release is not the changelog's $version of $date: $(grep '<release' "$3")"
    ;;
  icons)
    svg=$2 hicolor=$3 name=${4:-quorbix} found=0
    cmp "$svg" "$hicolor/scalable/apps/$name.svg" || fail "the scalable icon is not $svg"
    for png in "$hicolor"/*x*/apps/"$name".png; do
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
