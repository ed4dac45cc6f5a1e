#!/usr/bin/env bash
# Sets up the machine, builds with warnings as errors and runs every test; then builds again
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test but the widget tests
# (Qt's own libraries are not instrumented) under them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

bash scripts/build.sh build -DTW_WERROR=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"

bash scripts/build.sh build-asan -DTW_WERROR=ON -DTW_SANITIZE=ON -DTW_WIDGET_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
