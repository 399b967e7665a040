#!/usr/bin/env bash
# Installs everything the project needs on a fresh Debian 12 machine. Safe to run again.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql qt6-webengine-dev qt6-webengine-dev-tools
  qt6-webchannel-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  qt6-translations-l10n  # Russian texts of the file, print and page set-up dialogs
  fonts-liberation fonts-dejavu-core xvfb xauth
  libreoffice-writer-nogui poppler-utils
  postgresql  # the tests run the databases on a throwaway server too (scripts/pg-test-server.sh)
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
