#!/usr/bin/env bash
# One browser per program folder on the x11 backend: a browser of another folder covers the
# first one's window; a second start in the first folder ends at once (exit 0, no window of its
# own) and the first window comes to the front (stacking order, keyboard focus, pixels). When the
# first browser has ended, the folder can be opened again.
#
#   single_instance_e2e.sh PUZZLE_BROWSER X11_PROBE X11_STACKING SKIN_INI   (needs $DISPLAY)
set -euo pipefail
APP=$1
PROBE=$2
STACKING=$3
SKIN_INI=$4
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh"; exit 1; }

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  local pid
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- stacking (top first):"
  "$STACKING" || true
  import -window root "/tmp/single-instance-failure-$$.png" 2>/dev/null && echo "(screen saved to /tmp/single-instance-failure-$$.png)" || true
  exit 1
}
wait_until() {
  local tries=$(($1 * 20)) what=$2
  shift 2
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    ((tries > 0)) || fail "timed out waiting for $what"
    sleep 0.05
  done
}

read -r CLIENT_LEFT CLIENT_TOP < <(awk -F'[=,]' '/^\[FORMINFO\]/{f=1} f && /^clientrect=/{print $2, $3; exit}' "$SKIN_INI")

make_folder() {  # make_folder DIR COLOR: a program folder with one package of two one-colour previews
  local dir=$1 color=$2 n
  mkdir -p "$dir/pack"
  cp "$APP" "$dir/PuzzleBrowser"
  printf '[Package]\r\nname=Pack\r\nfile=x\r\npreview=p\r\n' >"$dir/pack/PuzzlePackage.ini"
  for n in 1 2; do convert -size 150x150 "xc:#$color" -quality 95 "$dir/pack/p-$n.jpg"; done
  printf '[Browser]\r\nFirstTime=0\r\n' >"$dir/PuzzleBrowser.ini"
}
make_folder "$WORK/first" FF0000
make_folder "$WORK/other" 0000FF

start() {  # start DIR: runs the browser of DIR in the background; its pid in STARTED_PID
  (cd "$WORK" && VK_MESSAGE_LOG="$1/messages.log" exec "$1/PuzzleBrowser") &
  STARTED_PID=$!
  PIDS+=("$STARTED_PID")
}
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1; }
has_window() { [[ -n $(window_of "$1") ]]; }
top_pid() { "$STACKING" | awk '$2 != 0 {print $2; exit}'; }
top_is() { [[ $(top_pid) == "$1" ]]; }
focus_on() { [[ $("$PROBE" focus) == "$1" ]]; }
near() {
  local a=$1 b=$2 i
  for i in 0 2 4; do
    local d=$((16#${a:i:2} - 16#${b:i:2}))
    ((d < 0)) && d=$((-d))
    ((d <= 12)) || return 1
  done
}
# The first preview's middle, in the window of the given id.
preview_is() {
  local x y w h
  read -r x y w h < <("$PROBE" geometry "$1")
  near "$("$PROBE" pixel $((x + CLIENT_LEFT + 284)) $((y + CLIENT_TOP + 229)))" "$2"
}
ended() { ! kill -0 "$1" 2>/dev/null; }

echo "== the first browser"
start "$WORK/first"
FIRST=$STARTED_PID
wait_until 15 "the first window" has_window "$FIRST"
FIRST_WIN=$(window_of "$FIRST")
wait_until 5 "its preview" preview_is "$FIRST_WIN" FF0000

echo "== a browser of another folder covers it"
start "$WORK/other"
OTHER=$STARTED_PID
wait_until 15 "the other window" has_window "$OTHER"
OTHER_WIN=$(window_of "$OTHER")
wait_until 5 "the other window on top" top_is "$OTHER"
wait_until 5 "the other preview over the first" preview_is "$FIRST_WIN" 0000FF

echo "== a second start in the first folder ends at once and brings the first window up"
start "$WORK/first"
SECOND=$STARTED_PID
wait_until 10 "the second browser to end" ended "$SECOND"
set +e
wait "$SECOND"
status=$?
set -e
[[ $status == 0 ]] || fail "the second browser ended with $status"
top_is "$FIRST" || fail "the first window is not on top: $(top_pid)"
focus_on "$FIRST_WIN" || fail "the keyboard focus is on $("$PROBE" focus), not on $FIRST_WIN"
preview_is "$FIRST_WIN" FF0000 || fail "the first window's preview does not show"
[[ $(xdotool search --onlyvisible --name 'Puzzle Browser' | wc -l) == 2 ]] || fail "a third window appeared"
[[ ! -s $WORK/first/messages.log ]] || fail "a message was shown: $(cat "$WORK/first/messages.log")"
kill -0 "$FIRST" || fail "the first browser ended"
kill -0 "$OTHER" || fail "the other browser ended"

echo "== when the first browser has ended, its folder opens again"
"$PROBE" close "$FIRST_WIN"
wait_until 10 "the first browser to end" ended "$FIRST"
start "$WORK/first"
AGAIN=$STARTED_PID
wait_until 15 "the new window" has_window "$AGAIN"
wait_until 5 "the new window on top" top_is "$AGAIN"
"$PROBE" close "$(window_of "$AGAIN")"
"$PROBE" close "$OTHER_WIN"
wait_until 10 "the browsers to end" bash -c "! kill -0 $AGAIN 2>/dev/null && ! kill -0 $OTHER 2>/dev/null"
echo "PASS"
