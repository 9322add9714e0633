#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the end-to-end checks need,
# but only those that are missing, so that a second run costs next to nothing.
# Usage: scripts/setup.sh [fuzz]   (fuzz: also clang and libFuzzer for the fuzzing stage)
set -euo pipefail

packages=(cmake ninja-build g++ make qt6-base-dev qt6-svg-dev libqt6svg6 libgtest-dev libbenchmark-dev
          fonts-dejavu-core xvfb xauth xdotool x11-utils wmctrl imagemagick openbox
          clang-format shellcheck git)
# The X server's own screen size for true size on screen (Qt's GUI links libxcb already).
packages+=(libxcb1-dev)
# The English translations: lupdate and lrelease, and Qt's CMake functions for them.
packages+=(qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools)
# Qt's own dialogs in German; validators, MIME database and Debian packaging for the
# installation test.
packages+=(qt6-translations-l10n desktop-file-utils appstream shared-mime-info dpkg-dev file)
# PDF pictures are checked by rendering them.
packages+=(poppler-utils)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
