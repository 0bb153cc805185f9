#!/usr/bin/env bash
# The real PuzzleBrowser ended from outside: SIGTERM, SIGHUP and SIGINT close it as its window's
# close does (the settings and the packages' values are written), and so do the loss of the X
# server and, on the headless backend, the end of its input. The signal cases use $DISPLAY
# (scripts/with-xvfb.sh); the server-loss case starts and kills an Xvfb of its own.
#
#   shutdown_e2e.sh PUZZLE_BROWSER
set -euo pipefail
APP=$1
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh"; exit 1; }

WORK=$(mktemp -d)
APP_PID=
OWN_XVFB=
cleanup() {
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then kill -9 "$APP_PID" 2>/dev/null || true; fi
  if [[ -n $OWN_XVFB ]] && kill -0 "$OWN_XVFB" 2>/dev/null; then kill "$OWN_XVFB" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- settings:"
  cat "$RUN/PuzzleBrowser.ini" 2>/dev/null || echo "(none)"
  exit 1
}
# wait_until SECONDS WHAT COMMAND...: runs COMMAND every 50 ms until it succeeds.
wait_until() {
  local tries=$(($1 * 20)) what=$2
  shift 2
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    ((tries > 0)) || fail "timed out waiting for $what"
    sleep 0.05
  done
}

RUN=$WORK/run
mkdir -p "$RUN/alpha" "$RUN/beta"
cp "$APP" "$RUN/PuzzleBrowser"
for pkg in alpha beta; do
  printf '[Package]\r\nname=%s\r\nfile=x\r\npreview=p\r\n' "$pkg" >"$RUN/$pkg/PuzzlePackage.ini"
  for n in 1 2; do
    convert -size 150x150 xc:#30a050 -quality 90 "$RUN/$pkg/p-$n.jpg"
    for severity in Beginner Intermediate Expert Guru Maniac; do : >"$RUN/$pkg/x-$n-$severity.exe"; done
  done
done

# The visible windows of the program (the main window, and the message box while one shows).
windows() { xdotool search --onlyvisible --name 'Puzzle Browser' 2>/dev/null | wc -l; }
shows() { [[ $(windows) -ge $1 ]]; }
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
setting() { tr -d '\r' <"$RUN/PuzzleBrowser.ini" | awk -F= -v k="$1" '$1 == k {print $2}'; }

# start SETTINGS WINDOWS: writes the settings file (empty: none, a first start) and starts the
# program, then waits until it shows WINDOWS windows.
start() {
  rm -f "$RUN/PuzzleBrowser.ini"
  [[ -z $1 ]] || printf '%b' "$1" >"$RUN/PuzzleBrowser.ini"
  (cd "$RUN" && exec ./PuzzleBrowser) &
  APP_PID=$!
  wait_until 20 "$2 program window(s)" shows "$2"
}
# finish WHAT: waits for the program to end; its exit status goes to $status.
finish() {
  wait_until 10 "the program to end after $1" ended
  status=0
  wait "$APP_PID" || status=$?
  APP_PID=
}

# ---- Signals --------------------------------------------------------------------------------
# A first start: the help is up in its modal loop when the signal comes.
start "" 2
kill -TERM "$APP_PID"
finish SIGTERM
[[ $status == 0 ]] || fail "SIGTERM: exit status $status, not a close"
[[ $(setting FirstTime) == 0 ]] || fail "SIGTERM: the help-seen flag was lost"
[[ $(setting Package) == 0 ]] || fail "SIGTERM: the package was not written"

for sig in HUP INT; do
  # The help was seen; the second package was chosen at the last close, and a package key the
  # close writes again is missing.
  start '[Browser]\r\nFirstTime=0\r\nPackage=1\r\n' 1
  printf '[Browser]\r\nFirstTime=0\r\n' >"$RUN/PuzzleBrowser.ini"
  kill -"$sig" "$APP_PID"
  finish "SIG$sig"
  [[ $status == 0 ]] || fail "SIG$sig: exit status $status, not a close"
  [[ $(setting Package) == 1 ]] || fail "SIG$sig: the chosen package was not written"
done

# ---- The headless backend runs out of input ----------------------------------------------------
# A first start: the help waits for input that never comes, so the loops end without a close.
rm -f "$RUN/PuzzleBrowser.ini"
(cd "$RUN" && VK_BACKEND=headless timeout 60 ./PuzzleBrowser) || fail "headless: the program failed"
[[ $(setting FirstTime) == 0 ]] || fail "headless: the help-seen flag was not written"
[[ $(setting Package) == 0 ]] || fail "headless: the package was not written"

# ---- The X server goes away -----------------------------------------------------------------
fifo=$WORK/xvfb-fifo
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
OWN_XVFB=$!
read -r -t 20 number <"$fifo" || fail "the second Xvfb did not start"
OUTER_DISPLAY=$DISPLAY
export DISPLAY=":$number"
start "" 2
kill -9 "$OWN_XVFB"
wait "$OWN_XVFB" 2>/dev/null || true
OWN_XVFB=
export DISPLAY=$OUTER_DISPLAY
finish "the X server went away"
[[ $(setting FirstTime) == 0 ]] || fail "X server lost: the help-seen flag was not written"
[[ $(setting Package) == 0 ]] || fail "X server lost: the package was not written"

echo "PASS: shutdown_e2e"
