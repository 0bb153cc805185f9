#!/usr/bin/env bash
# The soak test: the real PuzzleBrowser (the sanitizer build, see scripts/soak.sh) under an X
# server without a window manager, with packages whose puzzle programs exit at once, given
# 20,000 random clicks, keys and moves by soak_driver. Passes when the program neither crashes
# nor reports a sanitizer error, its resident size after the warm-up grows by less than 1 MB,
# and it still closes normally with exit status 0 at the end.
#
#   soak_e2e.sh PUZZLE_BROWSER SOAK_DRIVER X11_PROBE SKIN_INI   (needs $DISPLAY)
#   SOAK_EVENTS (20000), SOAK_SEED (random, printed), SOAK_WARMUP (5000) change the run.
set -euo pipefail
APP=$1
DRIVER=$2
PROBE=$3
SKIN_INI=$4
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh"; exit 1; }

WORK=$(mktemp -d)
APP_PID=
cleanup() {
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then kill -9 "$APP_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  if [[ -n $APP_PID ]] && ! kill -0 "$APP_PID" 2>/dev/null; then
    local status=0
    wait "$APP_PID" || status=$?
    echo "--- the program ended with status $status"
    APP_PID=
  fi
  if [[ -s $WORK/messages.log ]]; then echo "--- its last messages:"; tail -n 12 "$WORK/messages.log"; fi
  if [[ -s $WORK/stderr.log ]]; then echo "--- program output (last 60 lines):"; tail -n 60 "$WORK/stderr.log"; fi
  exit 1
}

if grep -q __asan_init "$APP"; then
  echo "soak: $APP is a sanitizer build"
else
  echo "soak: note: $APP is not a sanitizer build (scripts/soak.sh runs the sanitizer tree)"
fi

RUN=$WORK/run
mkdir -p "$RUN" "$WORK/bin"
cp "$APP" "$RUN/PuzzleBrowser"
# The Updates and Newsletter buttons open web pages through the desktop's opener: a stand-in
# that does nothing, so the soak opens no browser.
printf '#!/bin/sh\nexit 0\n' >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"

make_package() {  # make_package DIR NAME FILEBASE PREVIEWBASE COUNT
  local dir=$1 name=$2 file=$3 preview=$4 count=$5 n severity
  mkdir -p "$dir"
  printf '[Package]\r\nname=%s\r\nfile=%s\r\npreview=%s\r\n' "$name" "$file" "$preview" >"$dir/PuzzlePackage.ini"
  for ((n = 1; n <= count; n++)); do
    convert -size 150x150 "xc:rgb($((n * 17 % 256)),$((n * 53 % 256)),$((n * 91 % 256)))" "$dir/$preview-$n.jpg"
    for severity in Beginner Intermediate Expert Guru Maniac; do
      # A puzzle program that ends at once.
      printf '#!/bin/sh\nexit 0\n' >"$dir/$file-$n-$severity.exe"
      chmod +x "$dir/$file-$n-$severity.exe"
    done
  done
}
make_package "$RUN/alpha" Alpha a pa 13
make_package "$RUN/beta" Beta b pb 3
make_package "$RUN/gamma" Gamma g pg 7

read -r CLIENT_LEFT CLIENT_TOP < <(awk -F'[=,]' '/^\[FORMINFO\]/{f=1} f && /^clientrect=/{print $2, $3; exit}' "$SKIN_INI")
[[ -n $CLIENT_LEFT ]] || fail "no clientrect in $SKIN_INI"

# Every report ends the program (halt_on_error), and is written to the output we search. The
# quarantine of freed blocks (256 MB by default) is kept small: it fills during the warm-up, so
# the resident size then measures the program, not the sanitizer's growing hold on freed memory;
# leaks proper are caught by the leak check at the normal end.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1:abort_on_error=1:quarantine_size_mb=16:allocator_release_to_os_interval_ms=1000}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd "$WORK" && PATH="$WORK/bin:$PATH" VK_MESSAGE_LOG="$WORK/messages.log" exec "$RUN/PuzzleBrowser" >"$WORK/stderr.log" 2>&1) &
APP_PID=$!

main_window() { xdotool search --onlyvisible --pid "$APP_PID" --name 'Puzzle Browser' 2>/dev/null | head -1; }
for ((i = 0; i < 600; i++)); do
  [[ -n $(main_window) ]] && break
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at its start"
  sleep 0.1
done
[[ -n $(main_window) ]] || fail "no window after 60 s"

set +e
"$DRIVER" --pid "$APP_PID" --client "$CLIENT_LEFT,$CLIENT_TOP,760,570" --events "${SOAK_EVENTS:-20000}" \
  --warmup "${SOAK_WARMUP:-5000}" ${SOAK_SEED:+--seed "$SOAK_SEED"}
DRIVER_STATUS=$?
set -e
[[ $DRIVER_STATUS == 0 ]] || fail "soak_driver status $DRIVER_STATUS"

# The normal end: the desktop's close request to the main window (the biggest of the program's).
BIGGEST=
BIGGEST_AREA=0
for id in $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null); do
  read -r _ _ w h < <("$PROBE" geometry "$id") || continue
  if ((w * h > BIGGEST_AREA)); then BIGGEST=$id; BIGGEST_AREA=$((w * h)); fi
done
[[ -n $BIGGEST ]] || fail "no window to close"
"$PROBE" close "$BIGGEST"
for ((i = 0; i < 600; i++)); do
  kill -0 "$APP_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end within 60 s of the close request"
set +e
wait "$APP_PID"
STATUS=$?
set -e
APP_PID=
if grep -E -q 'ERROR: (Address|Leak)Sanitizer|runtime error:|SUMMARY: (Address|Undefined|Leak)' "$WORK/stderr.log"; then
  fail "a sanitizer report"
fi
[[ $STATUS == 0 ]] || fail "exit status $STATUS"
[[ -f $RUN/PuzzleBrowser.ini ]] || fail "no settings file written at the close"
echo "PASS"
