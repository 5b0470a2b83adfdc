#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its tests and its tools need,
# when any of them is missing. Uses sudo when not run as root.
set -euo pipefail
PACKAGES=(build-essential cmake ninja-build clang-14 libclang-rt-14-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools
  qt6-documentation-tools libqt6sql6-sqlite
  qt6-qpa-plugins qt6-image-formats-plugins libgl-dev
  xvfb xauth x11-utils xdotool imagemagick poppler-utils openbox
  fonts-dejavu fonts-liberation2
  wamerican-small wamerican wordnet-base
  libpugixml-dev nlohmann-json3-dev libzip-dev
  at-spi2-core dbus python3-pyatspi gir1.2-atspi-2.0 python3-gi
  desktop-file-utils appstream libxml2-utils shared-mime-info file dpkg-dev lintian)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
