#!/bin/sh
# Checks cmake/wine-run.sh, the Windows leg's test runner, with stand-ins for
# wine and wineserver that log their calls: what it passes on, when it runs a
# program again, and when it must not.
# Usage: wine_run_test.sh PATH_TO_WINE_RUN_SH
set -u
runner=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/wine-run-test.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/prefix"
export WORK="$work" WINEPREFIX="$work/prefix" PATH="$work/bin:$PATH"

# wineserver: logs its arguments; asked to start, it exits with $SERVER
# (0: started, 2: one runs already).
cat >"$work/bin/wineserver" <<'EOF'
#!/bin/sh
echo "wineserver $*" >>"$WORK/calls"
case $1 in --persistent=*) exit "$SERVER" ;; esac
EOF
# wine: logs its arguments; wineboot just works. A program writes a line to
# each output, and its first $BROKEN runs end with $BREAK on standard error
# and status 127, as wine does when it breaks; the others exit with $STATUS.
cat >"$work/bin/wine" <<'EOF'
#!/bin/sh
echo "wine $*" >>"$WORK/calls"
[ "$1" = wineboot ] && exit 0
n=$(($(cat "$WORK/runs" 2>/dev/null || echo 0) + 1))
echo "$n" >"$WORK/runs"
echo "out $n"
if [ "$n" -le "$BROKEN" ]; then
  echo "$BREAK" >&2
  exit 127
fi
echo "err $n" >&2
exit "$STATUS"
EOF
chmod +x "$work/bin/wineserver" "$work/bin/wine"

failures=0
fail() {
  echo "FAILED $*"
  failures=$((failures + 1))
}
# expect NAME STATUS RUNS: the runner's status and how often the program ran.
expect() {
  runs=$(cat "$work/runs" 2>/dev/null || echo 0)
  if [ "$status" -ne "$2" ] || [ "$runs" -ne "$3" ]; then
    fail "$1: status $status, $runs runs; expected status $2, $3 runs"
  fi
}
# run SERVER BROKEN BREAK STATUS: one call of the runner, with fresh logs.
run() {
  rm -f "$work/calls" "$work/runs"
  status=0
  SERVER=$1 BROKEN=$2 BREAK=$3 STATUS=$4 sh "$runner" prog.exe --flag \
    >"$work/out" 2>"$work/err" || status=$?
}
dlfini="Inconsistency detected by ld.so: dl-fini.c: 87: _dl_fini: Assertion failed!"
client="wine client error:0: recvmsg: Connection reset by peer"
memory="err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018"

# A prefix that does not exist yet is set up, and its server waited out.
run 2 0 "" 0
expect "new prefix" 0 1
if ! grep -qx "wine wineboot --init" "$work/calls" || ! grep -qx "wineserver --wait" "$work/calls"; then
  fail "new prefix: not set up"
fi
touch "$work/prefix/system.reg"

# The program's arguments, outputs and status pass through unchanged.
run 2 0 "" 3
expect "status" 3 1
if [ "$(cat "$work/out")" != "out 1" ] || [ "$(cat "$work/err")" != "err 1" ] ||
  [ "$(cat "$work/calls")" != "wineserver --persistent=15
wine prog.exe --flag" ]; then
  fail "pass-through"
fi

# The call that starts the server boots wine before the program runs.
run 0 0 "" 0
expect "server started" 0 1
[ "$(sed -n 2p "$work/calls")" = "wine wineboot" ] || fail "server started: no boot"

# A server that cannot start: the program does not run.
run 1 0 "" 0
expect "server failed" 1 0

# Wine breaking around the program: it runs again, and that is said.
run 2 1 "$dlfini" 0
expect "ld.so once" 0 2
grep -q "attempt 1 of 3" "$work/err" || fail "ld.so once: unsaid"
run 2 2 "$client" 4
expect "client error twice" 4 3
run 2 1 "$memory" 0
expect "memory once" 0 2
run 2 3 "$dlfini" 0
expect "broken three times" 127 3

# A program's own failure runs once, whatever it writes.
run 2 1 "a program's own message" 0
expect "own failure" 127 1

[ -z "$(find "$work" -maxdepth 1 -name 'prefix.stderr.*')" ] || fail "a file of standard error was left"
[ "$failures" -eq 0 ] && echo "wine-run.sh: all cases passed"
exit "$failures"
