#!/usr/bin/env bash
# Checks of the game as released, by the program itself:
#
#   release_test.sh valgrind GAME INPUT   plays INPUT to its end under
#                                         valgrind: no error, no leak
#   release_test.sh memory GAME [EMU...]  a 400 MB word under a 250 MB
#                                         address-space limit: the message
#                                         and status 1, no abort
#   release_test.sh gigabytes GAME [EMU...]
#                                         a name of "a", 2^31 zero bytes and
#                                         "b", read through the real standard
#                                         input, is taken whole as "ab"
#   release_test.sh flags COMMANDS SOURCE each source of the game (SOURCE/src)
#                                         is compiled (COMMANDS:
#                                         compile_commands.json) with
#                                         dpkg-buildflags' stack protector
#                                         and fortification
#   release_test.sh refuses DIR SOURCE    SOURCE's packaging/release.sh, in a
#                                         repository in DIR, refuses a newest
#                                         changelog entry changed or staged
#
# EMU is the command of qemu-user that runs GAME where this machine cannot.
# Output goes to files beside GAME, named for the check.
set -eu
LC_ALL=C
export LC_ALL
check=$1 game=$2 out=$2.$1.out err=$2.$1.err

fail() {
  echo "release_test.sh: $check: $*; standard error: $(head -c 300 "$err")" >&2
  exit 1
}

# expect STATUS: the last run ended with STATUS.
expect() { [ "$status" -eq "$1" ] || fail "status $status, not $1"; }

status=0
case $check in
  valgrind)
    valgrind --leak-check=full --error-exitcode=99 --quiet "$game" <"$3" >"$out" 2>"$err" || status=$?
    expect 0
    [ "$(grep -c 'Grand Total:' "$out")" -eq 2 ] || fail "the game did not print both cards"
    ;;
  memory)
    # Sanitizer builds reserve far more address space than the limit. qemu
    # reserves the game's whole address space when it starts, so there the
    # limit is the size of that space.
    shift 2
    if [ $# -eq 0 ]; then set -- sh -c 'ulimit -v 250000 && exec "$@"' limit; else set -- "$@" -R 250000k; fi
    head -c 400000000 /dev/zero | tr '\0' a |
      (ulimit -c 0 && exec "$@" "$game" >"$out" 2>"$err") || status=$?
    expect 1
    [ "$(cat "$err")" = "quorbix: out of memory" ] || fail "not the message"
    [ "$(cat "$out")" = "Please Enter Your Name:  " ] || fail "more than the prompt"
    ;;
  gigabytes)
    shift 2
    { printf a; head -c 2147483648 /dev/zero; printf 'b\n'; } | "$@" "$game" >"$out" 2>"$err" || status=$?
    expect 1
    grep -q "Now it's player ab 's turn" "$out" || fail "the name of zero bytes was not ab"
    ;;
  flags)
    # The stack protector and fortification that Debian's dpkg-buildflags
    # gives are in the command that compiles each source of the game, in
    # SOURCE/src ($3; $2 is compile_commands.json).
    wanted=$({ dpkg-buildflags --get CPPFLAGS && dpkg-buildflags --get CXXFLAGS; } | tr ' ' '\n' |
      grep -E '^-(fstack-protector|D_FORTIFY_SOURCE)') || fail "dpkg-buildflags gives no such flags"
    commands=$(grep -o "\"command\": \"[^\"]* -c $3/src/[^\"]*\"" "$game") || fail "no source of the game in $game"
    for flag in $wanted; do
      lacking=$(echo "$commands" | grep -vE -- " $flag( |\")") || continue
      fail "compiled without dpkg-buildflags' $flag: $(echo "$lacking" | head -n 1)"
    done
    ;;
  refuses)
    # packaging/release.sh of SOURCE ($3), in a repository of its own in
    # DIR ($2) whose newest changelog entry is changed, then staged:
    # each time it stops at once, naming the changelog. Its dpkg knows only
    # the architecture, so a release.sh that went on could change nothing.
    work=$game
    rm -rf "$work"
    mkdir -p "$work/packaging" "$work/debian" "$work/bin"
    cp "$3/packaging/release.sh" "$3/packaging/apt.sh" "$work/packaging/"
    cp "$3/debian/changelog" "$work/debian/"
    cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
[ "$1" != --print-architecture ] || exec echo amd64
echo "no dpkg: $*" >&2
exit 9
EOF
    chmod +x "$work/bin/dpkg"
    git -C "$work" init -q
    git -C "$work" add .
    git -C "$work" -c user.name=test -c user.email=test@example.org commit -qm test
    sed -i '1s/(\([^)]*\))/(\1+1)/' "$work/debian/changelog"
    for how in changed staged; do
      [ $how = changed ] || git -C "$work" add debian/changelog
      status=0
      PATH=$work/bin:$PATH sh "$work/packaging/release.sh" >"$out" 2>"$err" || status=$?
      expect 1
      grep -q '^release.sh: debian/changelog has changes that are not committed' "$err" ||
        fail "a changelog entry $how, not committed, did not stop the release"
    done
    rm -rf "$work"
    ;;
  *)
    echo "usage: release_test.sh valgrind|memory|gigabytes|flags|refuses GAME [INPUT|EMU...]" >&2
    exit 2
    ;;
esac
rm -f "$out" "$err"
