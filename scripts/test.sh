#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# test on the offscreen platform, then a short fuzzing run of the core.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVLQ_SANITIZE=ON
cmake --build build-test
(cd build-test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
if [ -x scripts/fuzz.sh ]; then scripts/fuzz.sh; fi
