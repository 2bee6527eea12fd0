#!/usr/bin/env bash
# Builds the Debian package as it is shipped: a Release build without tests,
# compiled and linked with Debian's hardening flags (dpkg-buildflags), in its
# own build folder.
#
#   scripts/build-deb.sh [BUILD_DIR]     (default: build-pkg)
#
# Prints the path of the package it made as its last line.
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$(pwd)
PKG=${1:-$ROOT/build-pkg}

# hardening=+all adds bindnow (-z now) to Debian's default flags. CMake does
# not read CPPFLAGS, so they go in front of the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flag() { dpkg-buildflags --get "$1"; }
cmake -S "$ROOT" -B "$PKG" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  "-DCMAKE_CXX_FLAGS=$(flag CPPFLAGS) $(flag CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(flag LDFLAGS)" > /dev/null
cmake --build "$PKG" -j "$(nproc)"
rm -f "$PKG"/miravel_*.deb
(cd "$PKG" && cpack -G DEB > cpack.log 2>&1) || { cat "$PKG/cpack.log" >&2; exit 1; }
ls "$PKG"/miravel_*.deb
