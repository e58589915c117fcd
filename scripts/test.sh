#!/usr/bin/env bash
# Builds and runs the whole suite twice: an optimised build, then a debug build
# under AddressSanitizer and UndefinedBehaviorSanitizer (leaks checked too).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build/release && ctest --output-on-failure -j"$jobs")

scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Debug -DTOKIWA_SANITIZE=ON
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=1:suppressions=$PWD/scripts/asan.supp"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
(cd build/asan && ctest --output-on-failure -j"$jobs")
