#!/bin/sh
# Runs one Windows program under wine, for the Windows leg's tests and their
# discovery. WINEPREFIX names the prefix; it is set up on first use.
#
# Debian's wineserver quits as soon as the last program of its prefix ends,
# and a program that starts while it quits dies at once with "wine client
# error:0: recvmsg: Connection reset by peer". Tests start one after another,
# so that moment came many times a run. Here one server serves them all and
# quits by itself once no program has run for 15 seconds.
set -e

# One caller at a time sets up the prefix and starts the server. What runs
# while the lock is held gets no copy of it (9>&-): the server and wine's
# background processes outlive this script and would keep the lock.
exec 9>"$WINEPREFIX.lock"
flock 9

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # A server started before the prefix exists cannot set it up: let wine do
  # it with a server of its own, and wait until that server has quit.
  wine wineboot --init 9>&-
  wineserver --wait 9>&-
fi

# Status 2: a server runs already. Status 0: this call started it, so it also
# starts the background processes wine keeps for the server's lifetime, with
# no output of ours: CTest waits until every holder of a test's output ends.
status=0
wineserver --persistent=15 </dev/null >/dev/null 2>&1 9>&- || status=$?
case $status in
  0)
    if ! wine wineboot </dev/null >/dev/null 2>&1 9>&-; then
      echo "wine-run.sh: wine could not start its background processes" >&2
      wineserver --kill 9>&-
      exit 1
    fi
    ;;
  2) ;;
  *)
    echo "wine-run.sh: wineserver failed with status $status" >&2
    exit 1
    ;;
esac

exec 9>&-

# Now and then wine itself breaks around a program, and the program's status
# is lost: as the process ends, after the program has run ("Inconsistency
# detected by ld.so: dl-fini.c: ..."); when the server goes away under it
# ("wine client error:..."); or before it starts, when the new process's
# memory cannot be laid out ("err:virtual:...", shown when WINEDEBUG has
# err+virtual). Then the program runs again, at most twice more, and that is
# said. Its standard error passes through a file to be checked for these.
errors=$(mktemp "$WINEPREFIX.stderr.XXXXXX")
trap 'rm -f "$errors"' EXIT
for attempt in 1 2 3; do
  status=0
  wine "$@" 2>"$errors" || status=$?
  cat "$errors" >&2
  if [ $status -eq 0 ] || ! grep -q -e "Inconsistency detected by ld\.so: dl-fini\.c" \
    -e "wine client error:" -e "^err:virtual:" "$errors"; then
    exit $status
  fi
  echo "wine-run.sh: wine failed around the program (status $status, attempt $attempt of 3)" >&2
done
exit $status
