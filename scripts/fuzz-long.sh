#!/usr/bin/env bash
# Long fuzzing runs in pieces, on idle CPU only (nice 19), towards a number of executions per
# target; then the grown corpora are minimised back into the tree (fuzz/<folder>/corpus_<name>).
#
#   scripts/fuzz-long.sh run [GOAL [PIECE_SECONDS [TARGET...]]]   fuzz until each target reaches
#                                                                 GOAL executions (10,000,000)
#   scripts/fuzz-long.sh merge [TARGET...]                        minimise into the stored corpora
#   scripts/fuzz-long.sh report                                   executions and edges per target
#   scripts/fuzz-long.sh coverage [TARGET...]                     edges the stored corpora reach
#
# The fuzz build (ASan + UBSan, libFuzzer) lives in build/fuzz:
#   CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVK_FUZZ=ON \
#     -DVK_TESTS=OFF -DVK_BENCH=OFF && cmake --build build/fuzz
# Each piece starts from the stored corpus and the work corpus (build/fuzz-work/<target>/corpus)
# and adds what it finds to the latter; executions and the last edge count ("cov") add up in
# build/fuzz-work/<target>/. A crash stops that target and leaves its input in
# build/fuzz-work/<target>/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${FUZZ_BUILD:-$ROOT/build/fuzz}
WORK=${FUZZ_WORK:-$ROOT/build/fuzz-work}

# target:stored corpus (relative to fuzz/)
TARGETS=(
  fuzz_core_ini:core/corpus_ini
  fuzz_core_cp1252:core/corpus_cp1252
  fuzz_skin_values:skin_data/corpus_values
  fuzz_skin_stored:skin_data/corpus_stored
  fuzz_skin_compressed:skin_data/corpus_compressed
  fuzz_bmp:gfx/corpus_bmp
  fuzz_jpeg:gfx/corpus_jpeg
  fuzz_app_catalogue:app/corpus_catalogue
)

# Options per target. The core targets run without the entropic scheduler (clang 14's spends
# most of their run on its bookkeeping). The ini target runs in fork mode and goes on past a
# failed check: a fault it found is kept in artifacts/ and reported, and the run continues.
options() {
  case $1 in
    fuzz_core_ini) echo "-entropic=0 -fork=1 -ignore_crashes=1" ;;
    fuzz_core_cp1252) echo "-entropic=0" ;;
  esac
}
# Seed pictures of every depth and colour space for the picture readers (no stored corpus yet).
make_seeds() {  # make_seeds TARGET DIR
  local dir=$2 g
  g=$dir/g.png
  mkdir -p "$dir"
  convert -size 7x5 gradient:red-blue "$g"
  case $1 in
    fuzz_bmp)
      convert "$g" -colors 2 -type palette "BMP3:$dir/p1.bmp"
      convert "$g" -colors 16 -type palette "BMP3:$dir/p4.bmp"
      convert "$g" -colors 200 -type palette "BMP3:$dir/p8.bmp"
      convert "$g" "BMP3:$dir/t24.bmp"
      convert "$g" "BMP2:$dir/core.bmp"
      convert "$g" -define bmp:subtype=RGB565 "$dir/r565.bmp"
      convert "$g" -alpha on "$dir/v5.bmp"
      ;;
    fuzz_jpeg)
      convert "$g" "$dir/rgb.jpg"
      convert "$g" -colorspace gray "$dir/grey.jpg"
      convert "$g" -colorspace cmyk "$dir/cmyk.jpg"
      convert "$g" -interlace plane "$dir/progressive.jpg"
      ;;
  esac
  rm -f "$g"
}

binary() { find "$BUILD/fuzz" -type f -name "$1" -perm -u+x | head -1; }
stored() {
  local entry
  for entry in "${TARGETS[@]}"; do
    if [[ ${entry%%:*} == "$1" ]]; then echo "$ROOT/fuzz/${entry#*:}"; fi
  done
}
selected() {
  if (($# > 0)); then printf '%s\n' "$@"; else printf '%s\n' "${TARGETS[@]%%:*}"; fi
}
execs_of() { cat "$WORK/$1/execs" 2>/dev/null || echo 0; }

piece() {  # piece TARGET SECONDS
  local target=$1 seconds=$2 bin dir corpus log
  bin=$(binary "$target")
  [[ -n $bin ]] || { echo "fuzz-long: $target is not built in $BUILD" >&2; return 1; }
  dir=$WORK/$target
  corpus=$(stored "$target")
  mkdir -p "$dir/corpus" "$dir/artifacts"
  local seeds=()
  [[ -d $corpus ]] && seeds=("$corpus")
  if [[ ($target == fuzz_bmp || $target == fuzz_jpeg) && ! -d $corpus ]]; then
    [[ -d $dir/seeds ]] || make_seeds "$target" "$dir/seeds"
    seeds+=("$dir/seeds")
  fi
  log=$dir/last.log
  local status=0
  # libFuzzer's own leak check stays off: the targets' inputs are short-lived, and ASan's
  # report at exit covers leaks of the process.
  # shellcheck disable=SC2046
  nice -n 19 "$bin" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 -timeout=25 \
    $(options "$target") -artifact_prefix="$dir/artifacts/" "$dir/corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
  local runs cov
  runs=$(awk '/stat::number_of_executed_units/ {print $NF}' "$log" | tail -1)
  # Fork mode reports its total in its status lines ("#RUNS: cov: ...").
  [[ -n $runs ]] || runs=$(grep -oE '^#[0-9]+:' "$log" | tail -1 | tr -d '#:')
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | awk '{print $2}')
  echo $(($(execs_of "$target") + ${runs:-0})) >"$dir/execs"
  if [[ -n $cov && $cov != 0 ]]; then echo "$cov" >"$dir/cov"; fi
  echo "$(date -u +%H:%M:%S) $target: +${runs:-0} runs, total $(execs_of "$target"), cov ${cov:-?}"
  if ((status != 0)); then
    echo "fuzz-long: $target stopped with status $status (see $log and $dir/artifacts)" >&2
    touch "$dir/stopped"
  fi
}

case ${1:-} in
  run)
    GOAL=${2:-10000000}
    PIECE=${3:-300}
    shift $(($# >= 3 ? 3 : $#))
    mapfile -t LIST < <(selected "$@")
    while :; do
      left=0
      for target in "${LIST[@]}"; do
        [[ -e $WORK/$target/stopped ]] && continue
        (($(execs_of "$target") < GOAL)) || continue
        left=1
        piece "$target" "$PIECE"
      done
      ((left)) || break
    done
    ;;
  merge)
    shift
    for target in $(selected "$@"); do
      bin=$(binary "$target")
      corpus=$(stored "$target")
      [[ -d $WORK/$target/corpus ]] || continue
      fresh=$(mktemp -d)
      seeds=()
      [[ -d $corpus ]] && seeds=("$corpus")
      nice -n 19 "$bin" -merge=1 -timeout=25 "$fresh" "${seeds[@]}" "$WORK/$target/corpus" >"$WORK/$target/merge.log" 2>&1
      rm -rf "$corpus"
      mkdir -p "$corpus"
      cp "$fresh"/* "$corpus"/ 2>/dev/null || true
      rm -rf "$fresh"
      echo "$target: $(find "$corpus" -type f | wc -l) inputs, $(du -sk "$corpus" | cut -f1) kB kept"
    done
    ;;
  coverage)
    # Edges each stored corpus reaches (libFuzzer's "cov" at start-up, the same measure for all).
    shift
    for target in $(selected "$@"); do
      corpus=$(stored "$target")
      [[ -d $corpus ]] || continue
      # shellcheck disable=SC2046
      cov=$(nice -n 19 "$(binary "$target")" -runs=0 $(options "$target" | sed 's/-fork=1 -ignore_crashes=1//') \
        "$corpus" 2>&1 | grep -oE 'INITED cov: [0-9]+' | grep -oE '[0-9]+$' || true)
      echo "$target: $(find "$corpus" -type f | wc -l) inputs, ${cov:-?} edges"
    done
    ;;
  report)
    printf '%-22s %12s %8s %s\n' target executions edges state
    for target in $(selected); do
      state=running
      [[ -e $WORK/$target/stopped ]] && state=stopped
      printf '%-22s %12s %8s %s\n' "$target" "$(execs_of "$target")" "$(cat "$WORK/$target/cov" 2>/dev/null || echo -)" "$state"
    done
    ;;
  *)
    sed -n '2,18p' "$0"
    exit 2
    ;;
esac
