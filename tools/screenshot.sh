#!/usr/bin/env bash
# Takes the picture of the main window with the start page for the README
# (docs/main-window.png). Runs on Qt's offscreen platform, so no display is
# needed; the program's profile and data folders are temporary, seeded with
# a few recent files so that the page has something to list.
#
#   bash tools/screenshot.sh [BUILD_DIR]     (default: build)
set -euo pipefail
export TZ=JST-9
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ ! -x "$build/kiv5400" ]; then
  cmake -S . -B "$build" -G Ninja
  cmake --build "$build" --target kiv5400
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config/ZEL" "$work/data" "$work/files"
recent=("振動試験_2026.kivp" "台上試験A.kivd" "温度分布<速報>.kivg")
{
  echo "[Recent File List]"
  n=1
  for name in "${recent[@]}"; do
    printf 'x' > "$work/files/$name"
    touch -d "2026-03-0$n 09:1$n:00" "$work/files/$name"
    echo "File$n=$work/files/$name"
    n=$((n + 1))
  done
} > "$work/config/ZEL/KIV-5400.ini"

mkdir -p docs
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen TZ=JST-9 LANG=C.UTF-8 \
  "$build/kiv5400" --screenshot docs/main-window.png
test -s docs/main-window.png
echo "docs/main-window.png written"
