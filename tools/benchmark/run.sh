#!/usr/bin/env bash
# Builds the renderer, the native module, the loops they are measured against and the swap
# counter, then runs the benchmark on a private Xvfb (1280x1024, llvmpipe).
# Usage: tools/benchmark/run.sh [BUILD]
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$(realpath -m "${1:-build}")
win=$build/windows-x86_64
bash tools/install-deps.sh
if [ ! -f "$win/CMakeCache.txt" ]; then
    cmake -S . -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
fi
log=$build/benchmark-build.log
cmake --build "$win" --target orvanne_renderer wintool bare_loop scene_loop immediate_renderer -j2 >"$log" 2>&1 ||
    { cat "$log"; exit 1; }
# The native module is measured beside the renderer, on the same display.
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --target orvanne -j2 >"$log" 2>&1 || { cat "$log"; exit 1; }
mkdir -p "$build/benchmark"
cc -O2 -Wall -Wextra -o "$build/benchmark/swapcount" tools/benchmark/swapcount.c -lX11 -lXdamage
ORVANNE_DIST=$win/dist ORVANNE_TOOLS=$win/testtools ORVANNE_E2E_WORK=$build/e2e \
    ORVANNE_SWAPCOUNT=$build/benchmark/swapcount ORVANNE_BENCH_LOOPS=$win/benchmark \
    ORVANNE_MODULE=$build/linux/orvanne \
    PYTHONPATH=$root/tests/e2e python3 tools/benchmark/benchmark.py
