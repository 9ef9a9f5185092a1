#!/usr/bin/env bash
# Installs the Debian packages that the build, the programs and the tests
# need, where they are missing: through sudo when not run as root. Packages
# named as arguments are installed instead (tools/build_web.sh names its
# own).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl1.2-dev libsdl-ttf2.0-dev libpng-dev libx11-dev libgif-dev libcairo2-dev libpango1.0-dev
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xdotool x11-apps x11-utils openbox fonts-liberation poppler-utils librsvg2-bin
)
[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
run_as_root=()
[ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
"${run_as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
