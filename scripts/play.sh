#!/usr/bin/env bash
# Builds the game in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVLQ_BUILD_TESTS=OFF
cmake --build build
exec build/vorlaquince "$@"
