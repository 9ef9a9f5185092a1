#!/usr/bin/env bash
# Checks the explorer's SVG against its canvas for every preset: writes the
# preset's SVG (build/tilings_explore --svg), rasterises it at 800 x 600 with
# rsvg-convert (Debian's librsvg2-bin), and prints how many of the pixels two
# or more pixels from any outline agree with the canvas
# (build/tools/svg_agreement). Ends with status 1 if any preset agrees on
# less than 99.5% of them, 3 if rsvg-convert is missing.
#
#   tools/check_exports.sh [BUILD_FOLDER]      (build by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

if ! command -v rsvg-convert >/dev/null; then
  echo "check_exports: rsvg-convert is missing (Debian's librsvg2-bin; tools/install_deps.sh installs it)" >&2
  exit 3
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
while read -r program frame; do
  "$build/tilings_explore" --preset "$program" --frame "$frame" --svg "$work/view.svg"
  rsvg-convert -w 800 -h 600 "$work/view.svg" -o "$work/view.png"
  if result=$("$build/tools/svg_agreement" "$work/view.png" "preset=$program&frame=$frame"); then
    printf '%-30s %d  %s\n' "$program" "$frame" "$result"
  else
    printf '%-30s %d  %s  (below 99.5%%)\n' "$program" "$frame" "$result"
    status=1
  fi
done < <("$build/tilings_explore" --presets |
         sed -n 's/.*"program": "\([a-z_]*\)", "frame": \([0-9]*\).*/\1 \2/p')
exit "$status"
