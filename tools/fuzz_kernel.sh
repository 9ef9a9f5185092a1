#!/usr/bin/env bash
# Fuzzes the raster kernel: builds tests/fuzz/kernel_fuzz.cpp with clang's
# fuzzer, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/
# (configured by CMake with TILINGS_FUZZ, which builds only that), and runs
# it for SECONDS (60 by default), starting from the seeds in
# tests/fuzz/corpus/ and from the inputs kept by earlier runs in
# build-fuzz/corpus/. Prints the number of inputs run. On a finding it
# prints what was wrong, keeps the input in build-fuzz/findings/ and exits
# non-zero. build-fuzz/kernel_fuzz FILE runs one input again, and with
# KERNEL_FUZZ_SHOW=1 lists its calls.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [SECONDS]" >&2
  exit 2
fi

build=build-fuzz
mkdir -p "$build/corpus" "$build/findings"

# Nothing is installed here: say what is missing.
cxx=${FUZZ_CXX:-clang++}
if ! command -v "$cxx" >/dev/null; then
  echo "$0: $cxx is missing (Debian package clang)" >&2
  exit 2
fi
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char *, long) { return 0; }' |
    "$cxx" -x c++ - -fsanitize=fuzzer -o "$build/probe" 2>/dev/null; then
  echo "$0: $cxx cannot link the fuzzer runtime (Debian package libclang-rt-14-dev)" >&2
  exit 2
fi
if ! command -v sdl-config >/dev/null; then
  echo "$0: sdl-config is missing (Debian package libsdl1.2-dev)" >&2
  exit 2
fi

# CMake builds the target (tests/fuzz/) with clang, TILINGS_FUZZ on.
if ! command -v cmake >/dev/null; then
  echo "$0: cmake is missing (Debian package cmake)" >&2
  exit 2
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILINGS_FUZZ=ON \
  -DCMAKE_CXX_COMPILER="$(command -v "$cxx")" >"$build/configure.log" 2>&1 || {
  cat "$build/configure.log" >&2
  echo "$0: configuring $build/ failed" >&2
  exit 2
}
cmake --build "$build" --target kernel_fuzz -j"$(nproc)" >"$build/build.log" 2>&1 || {
  cat "$build/build.log" >&2
  echo "$0: building $build/kernel_fuzz failed" >&2
  exit 2
}

log=$build/last_run.log
status=0
"$build/kernel_fuzz" -max_total_time="$seconds" -max_len=100 -timeout=30 \
  -print_final_stats=1 -artifact_prefix="$build/findings/" \
  "$build/corpus" tests/fuzz/corpus >"$log" 2>&1 || status=$?

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
if [ "$status" -ne 0 ]; then
  grep -v -e '^#[0-9]' -e '^INFO:' "$log" | tail -n 60 >&2
  echo "$0: finding after ${runs:-an unknown number of} inputs; the input is in $build/findings/" >&2
  exit 1
fi
echo "kernel fuzz: ${runs:-?} inputs in $seconds s ($(( ${runs:-0} / seconds )) a second), no finding"
