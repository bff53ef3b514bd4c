#!/usr/bin/env bash
# Installs what is missing, builds the host, i686 and x86_64 configurations and runs every
# test: unit tests natively, end-to-end tests of the x86_64 build under Wine on Xvfb; then
# the unit tests again under ASan and UBSan and each fuzz target for 30 s (tools/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure
bash tools/fuzz.sh
