#!/usr/bin/env bash
# Sets everything up, builds every suite with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCINERAD_WERROR=ON -DCINERAD_SANITIZE=ON -DCINERAD_BUILD_TESTS=ON
cmake --build build-tests -j"$(nproc)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"
