#!/bin/sh
# Checks cmake/wine-run.sh, the Windows leg's runner, with a stand-in for
# wine: what it passes on, when it runs a program again and says so, and how
# it stops a program that runs too long, leaving no file behind.
# Usage: wine_run_test.sh PATH_TO_WINE_RUN_SH
set -u
runner=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/wine-run-test.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
export WORK="$work" WINEPREFIX="$work/prefix" PATH="$work/bin:$PATH"
export QUORBIX_WINE_RETRIES="$work/retries" QUORBIX_WINE_TIMEOUT=2
# wine: counts its runs and writes a line to standard output; its first
# $BROKEN runs then end as wine does when it breaks ($BREAK on standard
# error, status 127), the others write a line to standard error, sleep
# $SLEEP seconds and exit with $STATUS.
cat >"$work/bin/wine" <<'STANDIN'
#!/bin/sh
n=$(($(cat "$WORK/runs" 2>/dev/null || echo 0) + 1))
echo "$n" >"$WORK/runs"
echo "out $n $*"
if [ "$n" -le "$BROKEN" ]; then
  echo "$BREAK" >&2
  exit 127
fi
echo "err $n" >&2
sleep "$SLEEP"
exit "$STATUS"
STANDIN
chmod +x "$work/bin/wine"

failures=0
# check NAME STATUS RUNS OUT ERR RETRIES: one call of the runner, with fresh
# logs, and what it gave: status, runs, standard output, the end of standard
# error, and the lines added to the retries file.
check() {
  rm -f "$work/runs" "$work/retries"
  status=0
  sh "$runner" prog.exe --flag >"$work/out" 2>"$work/err" || status=$?
  got="$status $(cat "$work/runs") [$(cat "$work/out")] [$(tail -n 1 "$work/err")] $(cat "$work/retries" 2>/dev/null | wc -l)"
  if [ "$got" != "$2 $3 [$4] [$5] $6" ]; then
    echo "FAILED $1: got $got"
    echo "       expected $2 $3 [$4] [$5] $6"
    failures=$((failures + 1))
  fi
}
dlfini="Inconsistency detected by ld.so: dl-fini.c: 87: _dl_fini: Assertion failed!"
client="wine client error:0: recvmsg: Connection reset by peer"
memory="err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018"
export SLEEP=0 STATUS=0 BROKEN=0 BREAK=
STATUS=3 check "passed through" 3 1 "out 1 prog.exe --flag" "err 1" 0
BROKEN=1 BREAK=$dlfini check "broken after its output" 0 2 "out 2 prog.exe --flag" "err 2" 1
grep -q "attempt 1 of 3" "$work/retries" && ! grep -q "attempt" "$work/err" ||
  { echo "FAILED: the retry is not in the retries file alone"; failures=$((failures + 1)); }
BROKEN=2 BREAK=$client STATUS=4 check "broken twice" 4 3 "out 3 prog.exe --flag" "err 3" 2
BROKEN=1 BREAK=$memory check "broken before it starts" 0 2 "out 2 prog.exe --flag" "err 2" 1
BROKEN=3 BREAK=$dlfini check "broken three times" 127 3 "out 3 prog.exe --flag" "$dlfini" 2
BROKEN=1 BREAK="a program's own message" check "its own failure" 127 1 \
  "out 1 prog.exe --flag" "a program's own message" 0
SLEEP=10 check "too long" 124 1 "out 1 prog.exe --flag" "wine-run.sh: prog.exe was stopped after 2 s" 0
grep -q "^err 1$" "$work/err" || { echo "FAILED too long: its standard error is lost"; failures=$((failures + 1)); }
# Stopped from outside, as CTest stops a test, it leaves nothing behind.
SLEEP=10 sh "$runner" prog.exe >/dev/null 2>&1 &
sleep 1
kill -TERM $!
wait $!
leftovers=$(find "$work" -maxdepth 1 -name 'prefix.std*')
[ -z "$leftovers" ] || { echo "FAILED: files left behind: $leftovers"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "wine-run.sh: all cases passed"
exit "$failures"
