#!/usr/bin/env bash
# Runs a command inside a fresh X session of its own: an Xvfb server on a
# free display, the openbox window manager, and a new empty home with its
# own configuration and data folders. Everything is taken down afterwards;
# the command's exit code is returned.
#
#   xsession.sh [--size WxH] [--lang LANG] [--keep DIR] COMMAND [ARG...]
#
# The command sees DISPLAY, QT_QPA_PLATFORM=xcb, HOME, XDG_CONFIG_HOME,
# XDG_DATA_HOME and ROAD_TMP (the session's temporary folder, kept in DIR
# when --keep is given, for pictures of a failure).
set -uo pipefail

size=1600x1000
lang=ja_JP.UTF-8
keep=""
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size="$2"; shift 2 ;;
    --lang) lang="$2"; shift 2 ;;
    --keep) keep="$2"; shift 2 ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: xsession.sh [--size WxH] [--lang LANG] [--keep DIR] COMMAND..." >&2; exit 2; }

for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "xsession.sh: $tool is not installed (bash tools/deps.sh)" >&2; exit 2; }
done

tmp="$(mktemp -d "${TMPDIR:-/tmp}/road.XXXXXX")"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$wm_pid" ] && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  if [ -n "$keep" ] && [ -d "$tmp/shots" ] && [ -n "$(ls -A "$tmp/shots" 2>/dev/null)" ]; then
    mkdir -p "$keep" && cp -r "$tmp/shots/." "$keep/"
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Xvfb picks a free display itself and writes its number to the pipe.
fifo="$tmp/displayfd"
mkfifo "$fifo"
Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$fifo" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 20 display <"$fifo" || true
if [ -z "$display" ]; then
  echo "xsession.sh: Xvfb did not start:" >&2
  cat "$tmp/xvfb.log" >&2
  exit 2
fi
export DISPLAY=":$display"

mkdir -p "$tmp/home/.config" "$tmp/home/.local/share" "$tmp/shots" "$tmp/run"
chmod 700 "$tmp/run"
export HOME="$tmp/home"
export XDG_CONFIG_HOME="$tmp/home/.config"
export XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_RUNTIME_DIR="$tmp/run"
export ROAD_TMP="$tmp"
export QT_QPA_PLATFORM=xcb
unset LC_ALL
export LANG="$lang"
unset LANGUAGE SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
export NO_AT_BRIDGE=1

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm_pid=$!
# The window manager runs once it owns the screen's manager selection.
for _ in $(seq 1 100); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    break
  fi
  sleep 0.1
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "xsession.sh: openbox did not start:" >&2
  cat "$tmp/openbox.log" >&2
  exit 2
fi

"$@"
status=$?
exit $status
