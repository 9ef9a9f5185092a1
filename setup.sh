#!/usr/bin/env bash
# Sets everything up and shows a tiling: installs the packages the project
# needs, builds it, and opens a window program (chair_colour_tiling unless
# another is named, e.g. ./setup.sh fivesplit_pinwheel).
set -euo pipefail
cd "$(dirname "$0")"
program=${1:-chair_colour_tiling}

tools/install_deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null

if [ ! -x "build/$program" ] || [ ! -f "build/$program" ]; then
  echo "setup.sh: there is no program named '$program'" >&2
  exit 2
fi
case "$program" in
  tile_*) exec "build/$program" ;;
esac
if [ -z "${DISPLAY:-}" ]; then
  echo "setup.sh: built, but there is no display (DISPLAY is not set) to open the window on;" \
    "tools/save_frames.sh $program saves its frames as pictures in frames/ instead" >&2
  exit 1
fi
exec "build/$program"
