#!/usr/bin/env bash
# Installs what is missing, builds the host, i686 and x86_64 configurations and the release
# packages, and runs every test: unit tests natively, end-to-end tests of the x86_64 build
# and its installer under Wine on Xvfb; then the unit tests again under ASan and UBSan and
# each fuzz target for 30 s (tools/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset host
cmake --build build -j"$(nproc)"
cmake --build build --target package
# The benchmark's programs, so a change that breaks them shows here and not in a benchmark.
cmake --build build/windows-x86_64 --target bare_loop scene_loop immediate_renderer
ctest --test-dir build --output-on-failure
bash tools/fuzz.sh
