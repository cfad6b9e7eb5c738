#!/usr/bin/env bash
# Takes the README's pictures of the real program as a user sees it: the
# built program in an X session of its own (tests/road/xsession.sh: Xvfb at
# 1600 x 1000, the openbox window manager, an empty home), its main window
# maximised, driven with xdotool, the screen taken with ImageMagick's import.
#
#   bash tools/screenshot.sh [BUILD_DIR]     (default: build)
#
# docs/main-window.png    the start page over the main window, with a few recent files
# docs/project-window.png a new project in its window
# docs/panel.png          the measurement panel (F9) against the emulator (build/kivsim)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"

if [ -z "${ROAD_TMP:-}" ]; then
  if [ ! -x "$build/kiv5400" ] || [ ! -x "$build/kivsim" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build" --target kiv5400 kivsim
  fi
  command -v import >/dev/null || { echo "screenshot.sh: ImageMagick's import is missing (bash tools/deps.sh)" >&2; exit 2; }
  export TZ=JST-9
  exec bash tests/road/xsession.sh --size 1600x1000 bash "$0" "$build"
fi

# --- inside the X session ------------------------------------------------------------
program="$build/kiv5400"
profile="$XDG_CONFIG_HOME/ZEL/KIV-5400.ini"
mkdir -p docs "$XDG_CONFIG_HOME/ZEL" "$HOME/files"

window_of() {  # pid, title pattern: waits for the window and prints its id
  timeout 30 xdotool search --sync --onlyvisible --pid "$1" --name "$2" | head -1
}
settle() { sleep "${1:-2}"; }
shot() {
  import -window root "$1"
  echo "$1 written"
}
stop() {  # pid: ends the program as a user would end it from outside
  kill -TERM "$1" 2>/dev/null || true
  for _ in $(seq 1 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.2; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

# The start page lists the files of earlier sessions.
recent=("振動試験_2026.kivp" "台上試験A.kivd" "温度分布<速報>.kivg")
{
  echo "[Recent File List]"
  n=1
  for name in "${recent[@]}"; do
    printf 'x' > "$HOME/files/$name"
    touch -d "2026-03-0$n 09:1$n:00" "$HOME/files/$name"
    echo "File$n=$HOME/files/$name"
    n=$((n + 1))
  done
} > "$profile"

"$program" & pid=$!
window_of "$pid" "KIV" >/dev/null
settle 3
shot docs/main-window.png
stop "$pid"

"$program" --no-start-page & pid=$!
window_of "$pid" "KIV" >/dev/null
settle 3
shot docs/project-window.png
stop "$pid"

# The panel: the connection of an earlier session names the emulator.
"$build/kivsim" --bind 127.0.0.1 0 > "$ROAD_TMP/kivsim.log" & sim=$!
port=""
for _ in $(seq 1 50); do
  port="$(sed -n 's/.*listening on .*:\([0-9]*\).*/\1/p' "$ROAD_TMP/kivsim.log" | head -1)"
  [ -n "$port" ] && break
  sleep 0.2
done
if [ -n "$port" ]; then
  printf '[METER]\n406=1\nINTERFACE=0\nIPADDRESS=%d\nPORT=%s\nSERLIALNO=1\n' $((0x7F000001)) "$port" >> "$profile"
  "$program" --no-start-page & pid=$!
  main="$(window_of "$pid" "KIV")"
  settle 2
  xdotool windowactivate --sync "$main" key F9
  # Questions on the way are answered with their default button.
  for _ in $(seq 1 8); do
    settle 1.5
    if xdotool search --onlyvisible --pid "$pid" --name "計測パネル" >/dev/null 2>&1; then break; fi
    xdotool key Return
  done
  if xdotool search --onlyvisible --pid "$pid" --name "計測パネル" >/dev/null 2>&1; then
    settle 2
    shot docs/panel.png
  else
    echo "screenshot.sh: no measurement panel appeared; docs/panel.png left as it was" >&2
  fi
  stop "$pid"
else
  echo "screenshot.sh: the emulator did not start; docs/panel.png left as it was" >&2
fi
kill "$sim" 2>/dev/null || true
wait "$sim" 2>/dev/null || true
