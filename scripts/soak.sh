#!/usr/bin/env bash
# The soak test: the sanitizer build (ASan + UBSan) of the browser under Xvfb, given 20,000
# random clicks, keys and moves (tests/e2e/soak). Builds what it needs in build/asan first.
# SOAK_SEED repeats a run (the seed is printed); SOAK_EVENTS and SOAK_WARMUP change its length.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVK_SANITIZE=ON -DVK_BENCH=OFF >/dev/null
cmake --build build/asan -j "${JOBS:-$(nproc)}" --target PuzzleBrowser soak_driver x11_probe
bash scripts/with-xvfb.sh bash -c "cd build/asan && ctest --output-on-failure -L soak"
