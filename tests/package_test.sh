#!/bin/sh
# Checks of the zips (Windows, web) that a build's cpack makes:
#
#   package_test.sh pack CPACK_CONFIG DIR      packs the zip into DIR and
#                                              unpacks it into DIR/contents
#   package_test.sh holds DIR FILE...          the zip holds exactly these
#                                              files, in C order
#   package_test.sh rebuilds SOURCE PRESET DIR|- [FILE...]
#                                              the preset's build again,
#                                              without its tests, from a copy
#                                              of SOURCE made under umask 077:
#                                              the same zip as the one in DIR
#                                              (none with -), and the same
#                                              FILEs of the build folder
#   package_test.sh tarball TARBALL GAME_INPUT GAME [EMULATOR]
#                                              TARBALL holds one folder of the
#                                              game, its manual, README and
#                                              LICENSE; the game is a static,
#                                              hardened PIE (GAME, unstripped,
#                                              read by OBJDUMP, has the stack
#                                              protector) that, alone in an
#                                              empty root (under EMULATOR,
#                                              which is given no root), plays
#                                              GAME_INPUT to both cards
#   package_test.sh msi MSI ICON               MSI, whose shortcut's target is
#                                              its program and whose icon and
#                                              shortcut's are ICON, installed
#                                              by wine's msiexec,
#                                              puts the game and its texts
#                                              under Program Files and a
#                                              Start-menu entry; uninstalled,
#                                              it leaves none of them
#   package_test.sh console DIR GAME_INPUT LAUNCHER
#                                              quorbix.exe, whose closing lines
#                                              are LAUNCHER's, started by wine's
#                                              cmd on a terminal (a console it
#                                              shares with a shell), plays
#                                              GAME_INPUT and ends; started by
#                                              wine itself (a console of its
#                                              own), titles it quorbix, plays
#                                              GAME_INPUT, then says LAUNCHER's
#                                              closing line and waits for Enter
#   package_test.sh windows DIR GAME_INPUT CHANGELOG ICON RUNNER...
#                                              quorbix.exe, in the zip's one
#                                              folder, needs only DLLs of every
#                                              Windows, has ICON and a version
#                                              resource of CHANGELOG's version,
#                                              and, run by RUNNER, plays
#                                              GAME_INPUT to its end in CRLF
#                                              lines, and ends at once on the
#                                              keys README.txt says end input;
#                                              the texts are CRLF, and
#                                              README.txt's rules name every
#                                              category of the game's menu
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

# The game in the Windows zip unpacked in DIR, in the zip's one folder.
windows_exe() {
  set -- "$1"/contents/quorbix-*-win64/quorbix.exe
  [ $# -eq 1 ] && [ -f "$1" ] || fail "no quorbix.exe in one folder of the zip: $*"
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
    source=$2 preset=$3 copy=$source/build/$preset/tests/rebuild zip=
    [ "$4" = - ] || zip=$(zip_in "$4")
    shift 4
    rm -rf "$copy"
    mkdir -p "$copy"
    # The sources alone: no build tree, no git, no package build's leftovers.
    (umask 077 && cd "$source" &&
      tar -cf - --exclude=./build --exclude=./.git --exclude='./obj-*' . |
      tar -xf - --no-same-permissions -C "$copy")
    [ -f "$copy/CMakeLists.txt" ] || fail "no sources copied to $copy"
    (umask 077 && cd "$copy" && cmake --preset "$preset" -DQUORBIX_BUILD_TESTS=OFF &&
      cmake --build --preset "$preset" && { [ -z "$zip" ] || cpack --preset "$preset"; }) >"$copy.log" 2>&1 ||
      { cat "$copy.log"; fail "the rebuild failed"; }
    [ -z "$zip" ] || cmp "$zip" "$copy/build/$preset/$(basename "$zip")" || fail "the rebuilt zip differs"
    for file in "$@"; do
      cmp "$source/build/$preset/$file" "$copy/build/$preset/$file" || fail "the rebuilt $file differs"
    done
    rm -rf "$copy" "$copy.log"
    ;;
  tarball)
    tarball=$2 input=$3 built=$4 root=$2.root
    shift 4
    name=$(basename "$tarball" .tar.gz)
    # In name order, as any machine's rebuild gives them.
    files=$(tar -tzf "$tarball" | tr '\n' ' ') || fail "cannot list $tarball"
    [ "$files" = "$name/ $name/LICENSE $name/README $name/quorbix $name/quorbix.6 " ] ||
      fail "$tarball holds, in this order: $files"
    # quorbix-VERSION-PROCESSOR-linux's README names both.
    version=${name#quorbix-} processor=${name#quorbix-*-}
    said=$(tar -xzOf "$tarball" "$name/README" | head -n 1)
    [ "$said" = "quorbix ${version%%-*} for Linux (${processor%-linux})" ] || fail "its README begins: $said"
    rm -rf "$root"
    mkdir -p "$root"
    tar -xzf "$tarball" -C "$root" --strip-components=1 "$name/quorbix"
    game=$root/quorbix
    ! readelf -lW "$game" | grep -q 'INTERP' || fail "the game asks for a loader: it is not static"
    ! readelf -dW "$game" | grep -q '(NEEDED)' || fail "the game needs shared libraries"
    # hardening-check looks for the stack protector's calls among the symbols
    # a program leaves to the loader, which a static one has none of: they
    # are looked for in the game's own functions of the built, unstripped
    # game instead.
    hardening-check --quiet --nofortify --nocfprotection --nostackprotector "$game" ||
      fail "the game is not hardened (above)"
    protected=$(${OBJDUMP:-objdump} -dC "$built" | awk '/^[0-9a-f]+ <.*>:$/ { name = $0 }
      /<__stack_chk_fail>/ && name ~ /<(String|Dice|Player|HumanPlayer|ComputerPlayer)::/ { print name }' |
      sort -u | wc -l)
    [ "$protected" -gt 0 ] || fail "no function of the game calls __stack_chk_fail: no stack protector"
    status=0
    if [ $# -gt 0 ]; then
      env -u QEMU_LD_PREFIX "$@" "$game" <"$input" >"$root.out" 2>"$root.err" || status=$?
    elif [ "$(id -u)" -eq 0 ]; then
      chroot "$root" /quorbix <"$input" >"$root.out" 2>"$root.err" || status=$?
    else
      unshare -r chroot "$root" /quorbix <"$input" >"$root.out" 2>"$root.err" || status=$?
    fi
    [ $status -eq 0 ] || fail "alone in an empty root, the game ended with status $status: $(head -c 300 "$root.err")"
    [ ! -s "$root.err" ] || fail "the game wrote to standard error: $(head -c 300 "$root.err")"
    [ "$(grep -c '^Grand Total:' "$root.out")" -eq 2 ] || fail "the game did not print both cards"
    rm -rf "$root" "$root.out" "$root.err"
    ;;
  msi)
    msi=$(winepath -w "$2") drive=$WINEPREFIX/drive_c
    # The MSI's own tables: the shortcut starts its one program, of the File
    # table, with the icon ICON, the installed programs' list's icon too.
    row() { msiinfo export "$2" "$1" | tr -d '\r' | awk -F '\t' -v c="$3" 'NR > 3 { print $c }'; }
    shortcut="$(row Shortcut "$2" 5) $(row Shortcut "$2" 9)"
    [ "$shortcut" = "[INSTALLDIR]$(row File "$2" 3 | grep '\.exe$') $(row Property "$2" 0 |
      sed -n 's/^ARPPRODUCTICON\t//p')" ] || fail "the shortcut's target and icon are $shortcut"
    msiinfo extract "$2" "Icon.${shortcut#* }" | cmp - "$3" || fail "the installer's icon is not $3"
    folder="$drive/Program Files/quorbix"
    # An install that an interrupted run left in the prefix goes first.
    wine msiexec /x "$msi" /qn || true
    wine msiexec /i "$msi" /qn || fail "msiexec /i failed with status $?"
    for file in quorbix.exe README.txt LICENSE.txt; do
      [ -f "$folder/$file" ] || fail "the installer put no $file in $folder"
    done
    cmp "$folder/README.txt" "$(dirname "$2")/README.txt" || fail "the installed README.txt differs"
    entry=$(find "$drive" -path '*/Start Menu/Programs/quorbix.lnk') || true
    [ -n "$entry" ] || fail "the installer made no Start-menu entry"
    wine msiexec /x "$msi" /qn || fail "msiexec /x failed with status $?"
    [ ! -e "$folder" ] || fail "the uninstaller left $folder"
    [ ! -e "$entry" ] || fail "the uninstaller left $entry"
    ;;
  console)
    dir=$2 input=$3 pid=
    exe=$(windows_exe "$dir")
    # The line it ends a complete game with is the desktop launcher's
    # (LAUNCHER): blanks aside.
    said=$(sed -n 's/^complete="\(.*\)"$/\1/p' "$4" | tr -d ' ')
    [ -n "$said" ] || fail "no closing line in $4"
    # The line after an early end, played in the desktop launcher's test, is its too.
    early=$(sed -n 's/^early="\(.*\)"$/\1/p' "$4")
    [ -n "$early" ] && grep -qaF -- "$early" "$exe" || fail "the game's line after an early end is not '$early'"
    trap 'exec 3>&-; [ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT
    # What the console shows, without escape sequences and blanks.
    shown() { sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' "$dir/console.out" | tr -d ' \t\r\n'; }
    # play COMMAND: script gives wine a terminal, on which COMMAND starts the
    # game; each answer is typed once the game asks, ending in a carriage
    # return, as a terminal's Enter does; it returns once both cards show.
    play() {
      rm -f "$dir/console.in" "$dir/console.out"
      mkfifo "$dir/console.in"
      script -qfec "$1" /dev/null <"$dir/console.in" >"$dir/console.out" 2>&1 &
      pid=$!
      exec 3>"$dir/console.in"
      for _ in $(seq 300); do
        ! shown | grep -q 'PleaseEnterYourName:' || break
        sleep 0.1
      done
      while read -r answer; do
        printf '%s\r' "$answer" >&3
        sleep 0.05
      done <"$input"
      for _ in $(seq 600); do
        ! shown | grep -q "GrandTotal:.*GrandTotal:" || break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
      sleep 2
    }
    # Started from a shell (cmd), which shares its console: no closing line, no wait.
    play "wine cmd /c '$(winepath -w "$exe")'"
    shown | grep -q "GrandTotal:.*GrandTotal:" || fail "no complete game in a shell's console: $(shown | tail -c 300)"
    ! shown | grep -q 'PressEnter' || fail "in a console shared with a shell, it waits for Enter"
    exec 3>&-
    kill "$pid" 2>/dev/null || true
    wait "$pid" || true
    # In a console of its own (Explorer's): titled quorbix, the closing line, a wait for Enter.
    play "wine '$exe'"
    shown | grep -q "\]0;quorbix$(printf '\a').*GrandTotal:.*GrandTotal:.*$said" ||
      fail "no title, complete game and closing line in its own console: $(shown | tail -c 300)"
    kill -0 "$pid" 2>/dev/null || fail "in a console of its own, it did not wait for Enter"
    printf '\r' >&3
    status=0
    wait "$pid" || status=$?
    pid=
    [ $status -eq 0 ] || fail "after Enter it ended with status $status"
    ;;
  windows)
    dir=$2 input=$3 version=$(sed -n '1s/^quorbix (\([^)]*\)).*/\1/p' "$4")
    shift 4
    [ -n "$version" ] || fail "no version in the changelog"
    exe=$(windows_exe "$dir") icon=$1
    readme=$(dirname "$exe")/README.txt
    shift
    imports=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump cannot read $exe"
    dlls=$(echo "$imports" | awk '/DLL Name:/ {print $3}')
    [ -n "$dlls" ] || fail "$exe: no DLL imports found"
    for dll in $dlls; do
      case "$dll" in
        KERNEL32.dll | msvcrt.dll | ADVAPI32.dll | USER32.dll | WS2_32.dll) ;;
        *) fail "$exe needs $dll, which not every Windows has" ;;
      esac
    done
    # Each field's value is the string after its name.
    resource=$(x86_64-w64-mingw32-strings -el "$exe")
    for field in FileVersion=$version ProductVersion=$version ProductName=quorbix FileDescription= \
      LegalCopyright=; do
      value=$(echo "$resource" | grep -x -A1 "${field%%=*}" | sed -n 2p)
      [ -n "$value" ] || fail "no ${field%%=*} in the version resource"
      [ -z "${field#*=}" ] || [ "$value" = "${field#*=}" ] ||
        fail "the version resource's ${field%%=*} is $value, not ${field#*=}"
    done
    # The icon, with the sizes Windows shows, is the first group of the
    # resources (wrestool writes it out as an .ico, with the group after).
    [ "$(icotool -l "$icon" | sed 's/.*--width=\([0-9]*\) .*/\1/' | tr '\n' ' ')" = "16 24 32 48 256 " ] ||
      fail "$icon: not the sizes 16, 24, 32, 48 and 256: $(icotool -l "$icon")"
    wrestool -x -t14 "$exe" | cmp -n "$(wc -c <"$icon")" - "$icon" || fail "$exe does not carry the icon $icon"
    crlf "$readme"
    crlf "$(dirname "$exe")/LICENSE.txt"
    status=0
    "$@" "$exe" <"$input" >"$dir/game.out" 2>"$dir/game.err" || status=$?
    [ $status -eq 0 ] || fail "the game ended with status $status: $(head -c 300 "$dir/game.err")"
    [ ! -s "$dir/game.err" ] || fail "the game wrote to standard error: $(head -c 300 "$dir/game.err")"
    [ "$(grep -c 'Grand Total:' "$dir/game.out")" -eq 2 ] || fail "the game did not print both cards"
    crlf "$dir/game.out"
    # The keys README.txt says end the input (Ctrl-Z: byte 26), at the name:
    # the game ends there, though answers follow.
    key=$(tr -d '\r' <"$readme" | sed -n 's/^Press Ctrl-\([A-Z]\), then Enter: input has ended.*/\1/p')
    [ -n "$key" ] || fail "README.txt names no keys that end the input"
    status=0
    { printf "$(printf '\\%03o' $(($(printf '%d' "'$key") - 64)))\r\n"; cat "$input"; } |
      "$@" "$exe" >"$dir/early.out" 2>&1 || status=$?
    [ $status -eq 1 ] && ! grep -q "'s turn" "$dir/early.out" ||
      fail "Ctrl-$key, then Enter, did not end the input (status $status): $(tail -c 300 "$dir/early.out")"
    # "(N) - NAME....VALUE" in the game's first menu; "N: NAME" or
    # "N-M: NAME, NAME..." in the rules.
    menu=$(tr -d '\r' <"$dir/game.out" | sed -n 's/^(\([0-9]*\)) *- *\([^.]*\)\.\.*.*/\1: \2/p' |
      head -n 13)
    rules=$(tr -d '\r' <"$readme" | awk '
      match($0, /^ *[0-9]+(-[0-9]+)?: /) {
        head = substr($0, 1, RLENGTH - 2); sub(/^ */, "", head); split(head, range, "-")
        n = split(substr($0, RLENGTH + 1), names, ", ")
        for (i = 1; i <= n; i++) print range[1] + i - 1 ": " names[i]
      }')
    [ "$(echo "$menu" | wc -l)" -eq 13 ] || fail "the game showed no menu of 13 entries: $menu"
    [ "$rules" = "$menu" ] || fail "README.txt's categories are not the menu's: $(echo "$rules" | tr '\n' ';')"
    ;;
  *)
    echo "usage: package_test.sh pack|holds|rebuilds|tarball|msi|console|windows ..." >&2
    exit 2
    ;;
esac
