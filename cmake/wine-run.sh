#!/bin/sh
# Runs one Windows program under wine, for the Windows leg's tests and their
# discovery. WINEPREFIX names the prefix. While CTest runs the tests, one wine
# server serves them all (the WineServer tests start and stop it); elsewhere
# wine starts a server of its own.
#
# Now and then wine itself breaks around a program, and the program's status
# is lost: as the process ends, after the program has run ("Inconsistency
# detected by ld.so: dl-fini.c: ..."); when the server goes away under it
# ("wine client error:..."); or before it starts, when the new process's
# memory cannot be laid out ("err:virtual:...", shown when WINEDEBUG has
# err+virtual). Then the program runs again, at most twice more. A retry is
# added to the file QUORBIX_WINE_RETRIES names, so that a run that passed
# shows it too, and said on standard error only when that is unset: the
# program's standard error is its own, which tests check. Each attempt's output is held in files
# and only the attempt that counts passes it on. A program that runs longer
# than QUORBIX_WINE_TIMEOUT seconds (50 unless set) is stopped, and what it
# wrote is passed on with a line saying so.
set -u
limit=${QUORBIX_WINE_TIMEOUT:-50}
out=$(mktemp "$WINEPREFIX.stdout.XXXXXX") || exit 1
err=$(mktemp "$WINEPREFIX.stderr.XXXXXX") || { rm -f "$out"; exit 1; }
trap 'rm -f "$out" "$err"' EXIT
trap 'exit 143' HUP INT TERM

for attempt in 1 2 3; do
  status=0
  timeout -k 5 "$limit" wine "$@" >"$out" 2>"$err" || status=$?
  if [ $status -eq 0 ] || [ $attempt -eq 3 ] || ! grep -q -e "Inconsistency detected by ld\.so: dl-fini\.c" \
    -e "wine client error:" -e "^err:virtual:" "$err"; then
    break
  fi
  retry="wine-run.sh: wine failed around $* (status $status, attempt $attempt of 3)"
  if [ -n "${QUORBIX_WINE_RETRIES:-}" ]; then echo "$retry" >>"$QUORBIX_WINE_RETRIES"; else echo "$retry" >&2; fi
done
cat "$out"
cat "$err" >&2
if [ $status -eq 124 ]; then echo "wine-run.sh: $1 was stopped after $limit s" >&2; fi
exit $status
