#!/usr/bin/env bash
# Saves every frame of the window programs as PNG pictures, without opening
# a window, and on request an animation and a printable sheet of them:
#   tools/save_frames.sh [--gif] [--delay SECONDS] [--sheet] [--lang en|fr] [-o FOLDER] [PROGRAM...]
# Without PROGRAM it saves all of them; FOLDER defaults to frames/. Frame N
# of a program is FOLDER/<program>_NN.png. --gif also writes
# FOLDER/<program>.gif, every frame in order, looping, each shown for
# SECONDS (1.5 by default) and the last twice as long; --sheet writes
# FOLDER/<program>.pdf, one A4 landscape page with the figure's title, what
# it shows and every frame with its caption, in English or, with --lang fr,
# in French. Run ./setup.sh once first, or any time to rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: tools/save_frames.sh [--gif] [--delay SECONDS] [--sheet] [--lang en|fr] [-o FOLDER] [PROGRAM...]"
out=frames
gif=false
sheet=false
delay=()
lang=()
programs=()
while [ $# -gt 0 ]; do
  case $1 in
    -o) [ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }; out=$2; shift 2 ;;
    --gif) gif=true; shift ;;
    --sheet) sheet=true; shift ;;
    --delay) [ $# -ge 2 ] || { echo "$usage" >&2; exit 2; }; delay=(--delay "$2"); shift 2 ;;
    --lang)
      case ${2:-} in en|fr) lang=(--lang "$2"); shift 2 ;; *) echo "$usage" >&2; exit 2 ;; esac ;;
    -*) echo "$usage" >&2; exit 2 ;;
    *) programs+=("$1"); shift ;;
  esac
done
[ ${#delay[@]} -eq 0 ] || $gif || { echo "save_frames.sh: --delay is the time per frame of --gif" >&2; exit 2; }
[ ${#lang[@]} -eq 0 ] || $sheet || { echo "save_frames.sh: --lang is the language of --sheet" >&2; exit 2; }
[ -d build ] || { echo "save_frames.sh: no build yet: run ./setup.sh first" >&2; exit 1; }
cmake --build build -j"$(nproc)" >/dev/null
mkdir -p "$out"
# The build's list of window programs, <folder>/<program> a line.
[ ${#programs[@]} -gt 0 ] || mapfile -t programs < <(sed 's|.*/||' build/window_programs.txt)
for p in "${programs[@]}"; do
  [ -x "build/capture/$p" ] || { echo "save_frames.sh: no window program named '$p'" >&2; exit 2; }
  # Frames of an earlier run would otherwise pass for this run's.
  rm -f "$out/${p}"_[0-9][0-9].png
  FRAME_DIR=$out "build/capture/$p"
  frames=("$out/${p}"_[0-9][0-9].png)
  made="${#frames[@]} frames"
  if $gif; then
    build/tools/frames_to_gif "${delay[@]}" "$out/$p.gif" "${frames[@]}"
    made+=", $p.gif"
  fi
  if $sheet; then
    sources=(*/"$p".cpp)
    build/tools/frames_to_sheet "${lang[@]}" "${sources[0]}" "$out/$p.pdf" "${frames[@]}"
    made+=", $p.pdf"
  fi
  echo "$p: $made in $out/"
done
