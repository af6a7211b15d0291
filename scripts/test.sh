#!/usr/bin/env bash
# Builds everything under AddressSanitizer and UndefinedBehaviorSanitizer (clang, so the
# fuzz targets build too) and runs every test; the last line is ctest's own summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VEXMO_TEST_BUILD:-$root/build/ci}

"$root/scripts/bootstrap.sh"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Asan -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVEXMO_FUZZ=ON -DVEXMO_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export VEXMO_FUZZ_SECONDS=${VEXMO_FUZZ_SECONDS:-5}
cd "$build"
exec ctest --output-on-failure -j"$(nproc)" --timeout 600
