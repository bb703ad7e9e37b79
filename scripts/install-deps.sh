#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins qt6-qpa-plugins libgl-dev
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-liberation2 fonts-dejavu-core
  qt6-translations-l10n
  xdg-utils
  libzip-dev libxlsxwriter-dev libexpat1-dev pkgconf
  poppler-utils
  chromium
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
