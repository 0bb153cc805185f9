#!/usr/bin/env bash
# Builds the browser and starts it on the bundled sample packages.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
bash scripts/install-deps.sh
cmake -S "$ROOT" -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVK_TESTS=OFF -DVK_BENCH=OFF >/dev/null
cmake --build build/release -j "$(nproc)"
if [[ -x build/release/app/PuzzleBrowser ]]; then
  RUN_DIR="$ROOT/build/run"
  rm -rf "$RUN_DIR" && mkdir -p "$RUN_DIR"
  cp build/release/app/PuzzleBrowser "$RUN_DIR/"
  if [[ -d build/release/assets/packages ]]; then cp -r build/release/assets/packages/. "$RUN_DIR/"; fi
  exec "$RUN_DIR/PuzzleBrowser"
fi
echo "The browser program is not built yet. What there is to run:"
find build/release -maxdepth 3 -type f -perm -u+x \( -path '*/examples/*' -o -path '*/tools/*' \) -print | sort
