#!/usr/bin/env bash
# Builds the Debian package build-deb/vorlaquince_<version>_<arch>.deb: a
# Release build with Debian's hardening flags, the game in /usr/games, stripped, its dependencies
# taken from the libraries it links (dpkg-shlibdeps); then checks it with
# lintian, which must report no error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export CPPFLAGS="$(dpkg-buildflags --get CPPFLAGS)"
export CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DVLQ_BUILD_TESTS=OFF -DVLQ_GAME_BINDIR=games
cmake --build build-deb
rm -f build-deb/vorlaquince_*.deb
(cd build-deb && cpack -G DEB)
lintian --fail-on error build-deb/vorlaquince_*.deb
ls build-deb/vorlaquince_*.deb
