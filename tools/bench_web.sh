#!/usr/bin/env bash
# Times the web pages in headless Chromium: for each window program (all of
# them unless some are named), the time from each key press, click or
# going back to the frame on the canvas, and from the navigation to the
# first frame, as the median of 3 runs, at this machine's speed and with
# the CPU 4 times slower; and, as the program "explore", the explorer's
# page: from each key, wheel notch and drag step to the picture on the
# canvas, at its deepest views, its presets and a zoom of 10^9. The pages
# come from tools/build_web.sh.
#
#   tools/bench_web.sh [PROGRAM...]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-web/index.html ] || [ ! -d build-wasm/node/node_modules ]; then
  echo "bench_web.sh: no web build here; run tools/build_web.sh first" >&2
  exit 1
fi
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
  for page in build-web/*.html; do
    case "$page" in
      build-web/index.html | build-web/explore.html) ;;
      *) programs+=("$(basename "$page" .html)") ;;
    esac
  done
  programs+=(explore)
fi
NODE_PATH=$PWD/build-wasm/node/node_modules \
  exec node bench/bench_pages.js build-web "${RUNS:-3}" 4 "${programs[@]}"
