#!/usr/bin/env bash
# Builds the browser and starts it on the bundled sample packages: the program, the demo puzzle
# that the packages start, the packages and the skins to choose are laid out in build/run (made
# afresh each time).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
bash scripts/install-deps.sh
cmake -S "$ROOT" -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVK_TESTS=OFF -DVK_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)" --target PuzzleBrowser SlidingPuzzle sample_packages
RUN_DIR="$ROOT/build/run"
rm -rf "$RUN_DIR" && mkdir -p "$RUN_DIR"
cp build/release/app/PuzzleBrowser build/release/app/SlidingPuzzle "$RUN_DIR/"
cp -r build/release/assets/packages/. "$RUN_DIR/"
cp -r assets/skins "$RUN_DIR/"
exec "$RUN_DIR/PuzzleBrowser"
