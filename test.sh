#!/usr/bin/env bash
# Builds and runs the whole test suite, headless, with the web pages built
# first for its browser test. With --sanitize it does so in a separate build
# (build-sanitize) with AddressSanitizer and UndefinedBehaviorSanitizer,
# without the web pages.
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
# The web pages (build-web/), which the suite's browser test drives; where
# their tools cannot be installed (status 3) that test is skipped.
if [ "$build" = build ]; then
  web_status=0
  tools/build_web.sh || web_status=$?
  [ "$web_status" -eq 0 ] || [ "$web_status" -eq 3 ] || exit "$web_status"
fi
cmake -S . -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
