#!/usr/bin/env bash
# Builds the web site into build-web/: every window program compiled to
# WebAssembly from the same sources as a page of its own
# (build-web/<program>.html, .js), the explorer's page build-web/explore.html
# (with tilings_explore.js), and the gallery build-web/index.html that links
# them all, compiled in build-wasm/tree/. The pages take the programs' notes
# from the notes reader, built first for this machine as
# build-wasm/host/program_notes.
#
# Installs what is missing first: Debian's emscripten (through sudo when not
# run as root), and, for the browser test of the suite (web_test), Debian's
# chromium and the npm client that drives it, at the version pinned in
# tests/web/package-lock.json, into build-wasm/node/. When these cannot be
# installed it says so and ends with status 3 (the suite's browser test is
# then skipped); a build that fails ends with the build's status.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++ emscripten fonts-liberation chromium)
command -v npm >/dev/null 2>&1 || packages+=(npm)
cannot_install() {
  echo "build_web.sh: cannot install $1, so there is no web build here" >&2
  exit 3
}
tools/install_deps.sh "${packages[@]}" || cannot_install "${packages[*]}"

# Emscripten's tools run on the system's Python and find their JavaScript
# modules among Debian's.
export EMSDK_PYTHON=/usr/bin/python3
export NODE_PATH=/usr/share/nodejs
# A compile tree configured from elsewhere (such as the copy of the sources
# that earlier versions compiled, build-wasm/source) is set up anew.
if ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$PWD" build-wasm/tree/CMakeCache.txt 2>/dev/null; then
  rm -rf build-wasm/tree build-wasm/source
fi
# The notes reader, for this machine: the pages' titles and captions come
# from it.
mkdir -p build-wasm/host
g++ -std=c++17 -O2 -Wall -Wextra -Inotes notes/program_notes.cpp notes/program_notes_main.cpp \
  -o build-wasm/host/program_notes
emcmake cmake -S . -B build-wasm/tree -DCMAKE_BUILD_TYPE=Release \
  -DTILINGS_SITE_DIR="$PWD/build-web" -DTILINGS_NOTES_TOOL="$PWD/build-wasm/host/program_notes" >/dev/null
cmake --build build-wasm/tree -j"$(nproc)"

mkdir -p build-wasm/node
if ! cmp -s tests/web/package-lock.json build-wasm/node/package-lock.json ||
  [ ! -d build-wasm/node/node_modules ]; then
  cp tests/web/package.json tests/web/package-lock.json build-wasm/node/
  (cd build-wasm/node && npm ci --no-audit --no-fund --loglevel=error >/dev/null) ||
    cannot_install "the browser test's client (npm ci)"
fi
echo "The site is in build-web/; to serve it on http://localhost:8000/:" \
  "python3 -m http.server --bind 127.0.0.1 --directory build-web 8000"
