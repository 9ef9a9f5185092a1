#!/usr/bin/env bash
# Times every frame of the window programs (all of them, or those named):
# tools/bench_frames.sh [PROGRAM...]
# For each program it prints the median of each frame over 20 runs and the
# slowest frame, on the thread's CPU clock (and the wall clock beside it).
# Every frame is meant to be drawn within one refresh at 240 Hz, 4.2 ms; a
# frame over it is marked. Run ./setup.sh once first, or any time to
# rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build ] || { echo "bench_frames.sh: no build yet: run ./setup.sh first" >&2; exit 1; }
cmake --build build -j"$(nproc)" >/dev/null
programs=("$@")
# The build's list of window programs, <folder>/<program> a line.
[ ${#programs[@]} -gt 0 ] || mapfile -t programs < <(sed 's|.*/||' build/window_programs.txt)
for p in "${programs[@]}"; do
  [ -x "build/bench/${p}_frames" ] || { echo "bench_frames.sh: no window program named '$p'" >&2; exit 2; }
  "build/bench/${p}_frames" 2>/dev/null | grep "^$p: "
done
