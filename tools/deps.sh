#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libgl1-mesa-dev
          libusb-1.0-0-dev zlib1g-dev libpng-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-ipafont-gothic libcurl4-openssl-dev python3-pyftpdlib
          desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl libkissfft-dev
          xvfb openbox xdotool x11-utils qt6-translations-l10n imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
