#!/usr/bin/env bash
# The built program in the X session: started, its window awaited, then
# ended with SIGTERM; it must end by itself with code 0 and leave the
# single-instance lock free, so that the next start shows a window again.
#
#   sigterm.sh PATH/TO/kiv5400          (inside xsession.sh)
set -uo pipefail
program="$1"
shots="${ROAD_TMP:-/tmp}/shots"

fail() {
  echo "FAILED: $*" >&2
  command -v import >/dev/null && mkdir -p "$shots" && import -window root "$shots/sigterm-failure.png" 2>/dev/null
  exit 1
}

run_once() {
  local round="$1"
  "$program" --no-start-page >"${ROAD_TMP:-/tmp}/kiv5400-$round.log" 2>&1 &
  local pid=$!
  # The main window is the one that shows the program's name.
  if ! timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name "KIV" >/dev/null 2>&1; then
    kill -KILL "$pid" 2>/dev/null
    fail "start $round: no window of the program within 30 s (the lock of an earlier run may still be held)"
  fi
  sleep 1
  kill -TERM "$pid"
  local waited=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.2
    waited=$((waited + 1))
    if [ $waited -ge 75 ]; then
      kill -KILL "$pid" 2>/dev/null
      fail "start $round: still running 15 s after SIGTERM"
    fi
  done
  wait "$pid"
  local status=$?
  [ "$status" -eq 0 ] || fail "start $round: exit code $status after SIGTERM (log: $(tail -5 "${ROAD_TMP:-/tmp}/kiv5400-$round.log"))"
  echo "start $round: ended with 0 after SIGTERM"
}

run_once 1
[ -s "$XDG_CONFIG_HOME/ZEL/KIV-5400.ini" ] || fail "no profile written at $XDG_CONFIG_HOME/ZEL/KIV-5400.ini"
run_once 2
echo "PASSED"
