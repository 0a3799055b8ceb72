#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through ctest. The tests that
# need a display start their own Xvfb; the rest run on the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure --timeout 600 -j2
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer, but for the ones
# that drive the whole interface: under the sanitizers they are slow, and what they add is mostly
# Qt's own (uninstrumented) QML engine at work.
cmake --preset asan && cmake --build --preset asan
ctest --preset asan -j2 --timeout 600 \
  -E '^tst_(shell|settingspage|menus|colorpage|keypage|macropage|effectpreview|install)$'

# The device, worker and bridge tests under ThreadSanitizer: every hand-off between the device
# object's threads and the GUI thread. The suppressions name only Qt's own uninstrumented code.
cmake --preset tsan && cmake --build --preset tsan
ctest --preset tsan -j2 --timeout 600

# A short run of every libFuzzer harness (clang; R7_FUZZ_SECONDS each); the long runs are in the
# README.
cmake --preset fuzz -DR7_FUZZ_SECONDS=10
cmake --build --preset fuzz
ctest --preset fuzz -j2
