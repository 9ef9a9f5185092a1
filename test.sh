#!/usr/bin/env bash
# Builds and runs the whole test suite, headless. With --sanitize it does so
# in a separate build (build-sanitize) with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"

build=build
flags=(-DCMAKE_BUILD_TYPE=Release)
if [ "${1:-}" = --sanitize ]; then
  build=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILINGS_SANITIZE=ON)
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tools/lsan.supp}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
fi

tools/install_deps.sh
cmake -S . -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
