#!/usr/bin/env bash
# Installs what is missing, builds, and starts KIV-5400.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
bash tools/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
KIV-5400 is built (build/kiv5400), but this machine has no display to show it on.
Run it under a virtual X server:   xvfb-run -a build/kiv5400
or without any window system:      QT_QPA_PLATFORM=offscreen build/kiv5400
MSG
  exit 2
fi
exec build/kiv5400 "$@"
