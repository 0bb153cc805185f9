#!/usr/bin/env bash
# Builds and runs every test: the debug build, the sanitizer build (ASan + UBSan), and the
# end-to-end tests under Xvfb. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
JOBS=${JOBS:-$(nproc)}

bash scripts/install-deps.sh

build() {  # build <dir> <cmake args...>
  local dir=$1; shift
  cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j "$JOBS"
}

echo "== debug build"
build build/debug -DCMAKE_BUILD_TYPE=Debug -DVK_BENCH=ON
echo "== debug tests"
(cd build/debug && ctest --output-on-failure -j "$JOBS" -LE e2e)

if [[ "${VK_SKIP_SANITIZE:-0}" != 1 ]]; then
  echo "== sanitizer build"
  build build/asan -DCMAKE_BUILD_TYPE=Debug -DVK_SANITIZE=ON -DVK_BENCH=OFF
  echo "== sanitizer tests"
  (cd build/asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j "$JOBS" -LE e2e)
fi

echo "== end-to-end tests (Xvfb)"
# The soak test (labels soak and e2e) takes many minutes: scripts/soak.sh runs it.
bash scripts/with-xvfb.sh bash -c "cd build/debug && ctest --output-on-failure -L e2e -LE soak --no-tests=ignore"

# A smoke run of the x11 start-up benchmark (3 runs, figures printed, no thresholds), so that
# it keeps working; the debug build's figures say nothing about speed.
echo "== x11 start-up benchmark, smoke run"
bash scripts/with-xvfb.sh build/debug/bench/browser_x11/browser_x11_startup 3
