#!/usr/bin/env bash
# Sets up the machine, checks that every source is formatted (scripts/format.sh), builds with
# warnings as errors and runs every test; then builds again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test but the widget tests (Qt's own libraries are
# not instrumented) under them, once more with clang's UBSan, and runs the fuzz targets for a
# bounded time (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/format.sh --check

bash scripts/build.sh build -DTW_WERROR=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"

bash scripts/build.sh build-asan -DTW_WERROR=ON -DTW_SANITIZE=ON -DTW_WIDGET_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

# clang's UndefinedBehaviorSanitizer, which also catches a float converted to an int that
# cannot hold it (GCC's does not): every test but the widget tests again.
CC=clang CXX=clang++ bash scripts/build.sh build-ubsan -DTW_WERROR=ON -DTW_UBSAN=ON \
  -DTW_WIDGET_TESTS=OFF -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-ubsan --output-on-failure -j "$(nproc)"

# The fuzz targets, about 20 s each (TW_FUZZ_SECONDS for longer).
bash scripts/fuzz.sh
