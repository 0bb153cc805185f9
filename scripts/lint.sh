#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy on the .cpp files changed since BASE: committed
# since the branch left BASE, staged, unstaged and new files alike (deleted ones are skipped).
#
#   scripts/lint.sh [BASE]     BASE: any commit; by default origin/main, or the first commit
#                              when there is no origin/main
#
# The compile flags come from build/debug/compile_commands.json, which is configured when it is
# missing. Files that no target compiles (the fuzz targets outside a fuzz build, for example)
# are listed and skipped. LINT_JOBS=N runs N clang-tidy processes at once (default 1). The exit
# status is clang-tidy's: non-zero when it failed on a file or the checks made any an error.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=build/debug
TIDY=${CLANG_TIDY:-clang-tidy}

command -v "$TIDY" >/dev/null || { echo "lint: $TIDY not found (apt-get install clang-tidy)" >&2; exit 2; }

BASE=${1:-}
if [[ -z $BASE ]]; then
  if git rev-parse --verify -q origin/main >/dev/null; then
    BASE=origin/main
  else
    BASE=$(git rev-list --max-parents=0 HEAD | tail -n 1)
  fi
fi
if ! git rev-parse --verify -q "$BASE^{commit}" >/dev/null; then
  echo "lint: '$BASE' is not a commit" >&2
  exit 2
fi
SINCE=$(git merge-base "$BASE" HEAD)

if [[ ! -f $BUILD/compile_commands.json ]]; then
  echo "lint: configuring $BUILD for its compile commands"
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVK_BENCH=ON >/dev/null
fi

mapfile -t changed < <({
  git diff --name-only --diff-filter=d "$SINCE" -- '*.cpp'
  git ls-files --others --exclude-standard -- '*.cpp'
} | sort -u)
if ((${#changed[@]} == 0)); then
  echo "lint: no .cpp file changed since $BASE"
  exit 0
fi

# The files the compile commands know, as paths relative to the source folder.
known=$(grep -o '"file": *"[^"]*"' "$BUILD/compile_commands.json" | sed -e 's/^"file": *"//' -e 's/"$//' \
  -e "s|^$ROOT/||" | sort -u)
files=()
for f in "${changed[@]}"; do
  if grep -qxF "$f" <<<"$known"; then
    files+=("$f")
  else
    echo "lint: skipped $f (no compile command in $BUILD)"
  fi
done
if ((${#files[@]} == 0)); then
  exit 0
fi

echo "lint: clang-tidy on ${#files[@]} file(s) changed since $BASE"
# The compile commands are GCC's; clang-tidy's own compiler does not know every warning option.
printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P "${LINT_JOBS:-1}" "$TIDY" -p "$BUILD" --quiet --extra-arg=-Wno-unknown-warning-option
