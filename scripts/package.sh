#!/usr/bin/env bash
# Builds everything and the Debian package build/package/tessaly_<version>_<arch>.deb
# (under $TESSALY_BUILD_DIR when set). Install it with
#   sudo apt-get install ./build/package/tessaly_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
rm -f "$build"/package/tessaly_*.deb
(cd "$build" && cpack -G DEB --config CPackConfig.cmake >/dev/null)
ls "$build"/package/tessaly_*.deb
