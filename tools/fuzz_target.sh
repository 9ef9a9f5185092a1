#!/usr/bin/env bash
# Runs one of the fuzz targets (tools/fuzz_kernel.sh and
# tools/fuzz_explore.sh name theirs): builds tests/fuzz/<TARGET>.cpp with
# clang's fuzzer, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-fuzz/ (configured by CMake with TILINGS_FUZZ, which builds only the
# fuzz targets), and runs it for SECONDS, starting from the seeds in
# tests/fuzz/SEEDS/ and from the inputs kept by earlier runs in
# build-fuzz/<TARGET>_corpus/. Prints the number of inputs run, and what
# the target says at its end. On a finding it prints what was wrong, keeps
# the input in build-fuzz/findings/ and exits non-zero.
#
#   tools/fuzz_target.sh TARGET SEEDS MAX_LEN SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."

target=$1 seeds=$2 max_len=$3 seconds=$4
caller=${FUZZ_CALLER:-$0}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $caller [SECONDS]" >&2
  exit 2
fi

build=build-fuzz
corpus=$build/${target}_corpus
# The kernel's inputs were kept in corpus/ before there were two targets.
if [ "$target" = kernel_fuzz ] && [ -d "$build/corpus" ] && [ ! -d "$corpus" ]; then
  mv "$build/corpus" "$corpus"
fi
mkdir -p "$corpus" "$build/findings"

# Nothing is installed here: say what is missing.
cxx=${FUZZ_CXX:-clang++}
if ! command -v "$cxx" >/dev/null; then
  echo "$caller: $cxx is missing (Debian package clang)" >&2
  exit 2
fi
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, long) { return 0; }' |
    "$cxx" -x c++ - -fsanitize=fuzzer -o "$build/probe" 2>/dev/null; then
  echo "$caller: $cxx cannot link the fuzzer runtime (Debian package libclang-rt-14-dev)" >&2
  exit 2
fi
if ! command -v sdl-config >/dev/null; then
  echo "$caller: sdl-config is missing (Debian package libsdl1.2-dev)" >&2
  exit 2
fi

# CMake builds the target (tests/fuzz/) with clang, TILINGS_FUZZ on.
if ! command -v cmake >/dev/null; then
  echo "$caller: cmake is missing (Debian package cmake)" >&2
  exit 2
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILINGS_FUZZ=ON \
  -DCMAKE_CXX_COMPILER="$(command -v "$cxx")" >"$build/configure.log" 2>&1 || {
  cat "$build/configure.log" >&2
  echo "$caller: configuring $build/ failed" >&2
  exit 2
}
cmake --build "$build" --target "$target" -j"$(nproc)" >"$build/build.log" 2>&1 || {
  cat "$build/build.log" >&2
  echo "$caller: building $build/$target failed" >&2
  exit 2
}

log=$build/${target}_last_run.log
status=0
"$build/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=30 \
  -print_final_stats=1 -artifact_prefix="$build/findings/" \
  "$corpus" "tests/fuzz/$seeds" >"$log" 2>&1 || status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
if [ "$status" -ne 0 ]; then
  grep -v -e '^#[0-9]' -e '^INFO:' "$log" | tail -n 60 >&2
  echo "$caller: finding after ${runs:-an unknown number of} inputs; the input is in $build/findings/" >&2
  exit 1
fi
grep "^$target: " "$log" || true
echo "$target: ${runs:-?} inputs in $seconds s ($(( ${runs:-0} / seconds )) a second), no finding"
