#!/usr/bin/env bash
# The unit tests under ASan and UBSan and each fuzz target from its seeds in fuzz/corpus/ for
# $1 seconds (30 by default). A finding fails the run and keeps its input in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz -DORVANNE_FUZZ_SECONDS="${1:-30}"
cmake --build build/fuzz -j"$(nproc)"
ctest --test-dir build/fuzz --output-on-failure
