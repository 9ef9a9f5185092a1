#!/usr/bin/env bash
# Fuzzes the raster kernel (tests/fuzz/kernel_fuzz.cpp) for SECONDS (60 by
# default): each input is a few kernel calls, each compared with the
# routine's literal form. Seeds in tests/fuzz/corpus/, inputs kept in
# build-fuzz/kernel_fuzz_corpus/; see tools/fuzz_target.sh.
# build-fuzz/kernel_fuzz FILE runs one input again, and with
# KERNEL_FUZZ_SHOW=1 lists its calls.
cd "$(dirname "$0")/.." &&
  FUZZ_CALLER=$0 exec tools/fuzz_target.sh kernel_fuzz corpus 100 "${1:-60}"
