#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev qt6-serialport-dev libgl-dev xvfb xauth
  # the icons' pictures are rendered from their drawing at build time
  librsvg2-bin
  # the Debian package: its library dependencies (dpkg-shlibdeps, file) and
  # the check of its desktop entry
  dpkg-dev file desktop-file-utils
  # the translations: lupdate and lrelease, and the LinguistTools CMake package
  qt6-l10n-tools qt6-tools-dev
  # Qt's own Spanish texts (standard buttons, the parser's help)
  qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
