#!/usr/bin/env bash
# Fuzzes the explorer's state (tests/fuzz/explore_fuzz.cpp) for SECONDS (60
# by default): each input is read as an address's query string, must give a
# valid state that goes through the address unchanged, and is drawn, with
# nothing beside the canvas touched, in bounded time; the slowest drawing
# is printed at the end. Seeds in tests/fuzz/explore_corpus/, inputs kept in
# build-fuzz/explore_fuzz_corpus/; see tools/fuzz_target.sh.
cd "$(dirname "$0")/.." &&
  FUZZ_CALLER=$0 exec tools/fuzz_target.sh explore_fuzz explore_corpus 200 "${1:-60}"
