#!/bin/sh
# Starts (start) or ends (stop) the wine server that serves every test of the
# Windows leg, for WINEPREFIX. Started, it serves until it is ended; wine's
# background processes start with it. Nothing keeps the caller's output, as
# CTest waits for every holder of a test's output. Starting also empties the
# list of retries that cmake/wine-run.sh keeps (QUORBIX_WINE_RETRIES).
set -u
case ${1:-} in
  start)
    rm -f "$QUORBIX_WINE_RETRIES"
    status=0
    wineserver --persistent </dev/null >/dev/null 2>&1 || status=$?
    # Status 2: a server of this prefix runs already, and serves.
    if [ $status -ne 0 ] && [ $status -ne 2 ]; then
      echo "wine-server.sh: wineserver failed with status $status" >&2
      exit 1
    fi
    if ! wine wineboot </dev/null >/dev/null 2>&1; then
      echo "wine-server.sh: wine could not start its background processes" >&2
      exit 1
    fi
    ;;
  stop) exec wineserver --kill ;;
  *)
    echo "usage: wine-server.sh start|stop" >&2
    exit 2
    ;;
esac
