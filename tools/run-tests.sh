#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under ctest; then builds
# everything again with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan) and
# runs every test once more there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j2

# Set before the build too: test discovery runs every test program once while building.
# Qt, fontconfig and the platform plugins keep caches until exit on purpose; the leak
# checker would report those, so tools/lsan-suppressions.txt names them (and only them).
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMSIC_SANITIZE=ON
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j2
