#!/usr/bin/env bash
# Saves every frame of the window programs as PNG pictures, without opening
# a window: tools/save_frames.sh [-o FOLDER] [PROGRAM...]
# Without PROGRAM it saves all of them; FOLDER defaults to frames/. Frame N
# of a program is FOLDER/<program>_NN.png. Run ./setup.sh once first, or any
# time to rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
out=frames
if [ "${1:-}" = -o ]; then
  out=$2
  shift 2
fi
[ -d build ] || { echo "save_frames.sh: no build yet: run ./setup.sh first" >&2; exit 1; }
cmake --build build -j"$(nproc)" >/dev/null
mkdir -p "$out"
programs=("$@")
# The build's list of window programs, <folder>/<program> a line.
[ ${#programs[@]} -gt 0 ] || mapfile -t programs < <(sed 's|.*/||' build/window_programs.txt)
for p in "${programs[@]}"; do
  [ -x "build/capture/$p" ] || { echo "save_frames.sh: no window program named '$p'" >&2; exit 2; }
  FRAME_DIR=$out "build/capture/$p"
  echo "$p: $(ls "$out/${p}"_[0-9][0-9].png | wc -l) frames in $out/"
done
