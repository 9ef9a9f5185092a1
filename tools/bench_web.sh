#!/usr/bin/env bash
# Times the web pages in headless Chromium: for each window program (all of
# them unless some are named), the time from each key press, click or
# going back to the frame on the canvas, and from the navigation to the
# first frame, as the median of 3 runs, at this machine's speed and with
# the CPU 4 times slower. The pages come from tools/build_web.sh.
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
    [ "$page" = build-web/index.html ] || programs+=("$(basename "$page" .html)")
  done
fi
NODE_PATH=$PWD/build-wasm/node/node_modules \
  exec node bench/bench_pages.js build-web "${RUNS:-3}" 4 "${programs[@]}"
