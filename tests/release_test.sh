#!/usr/bin/env bash
# Checks of the game as released, by the program itself:
#
#   release_test.sh valgrind GAME INPUT   plays INPUT to its end under
#                                         valgrind: no error, no leak
#   release_test.sh memory GAME           a 400 MB word under a 250 MB
#                                         address-space limit: the message
#                                         and status 1, no abort
#   release_test.sh gigabytes GAME        a name of "a", 2^31 zero bytes and
#                                         "b", read through the real standard
#                                         input, is taken whole as "ab"
#
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
    # Sanitizer builds reserve far more address space than the limit.
    head -c 400000000 /dev/zero | tr '\0' a |
      (ulimit -c 0 && ulimit -v 250000 && exec "$game" >"$out" 2>"$err") || status=$?
    expect 1
    [ "$(cat "$err")" = "quorbix: out of memory" ] || fail "not the message"
    [ "$(cat "$out")" = "Please Enter Your Name:  " ] || fail "more than the prompt"
    ;;
  gigabytes)
    { printf a; head -c 2147483648 /dev/zero; printf 'b\n'; } | "$game" >"$out" 2>"$err" || status=$?
    expect 1
    grep -q "Now it's player ab 's turn" "$out" || fail "the name of zero bytes was not ab"
    ;;
  *)
    echo "usage: release_test.sh valgrind|memory|gigabytes GAME [INPUT]" >&2
    exit 2
    ;;
esac
rm -f "$out" "$err"
