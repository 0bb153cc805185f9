#!/usr/bin/env bash
# The real PuzzleBrowser on the x11 backend with no pointer event at all: a player chooses a
# package, a puzzle on page 2 and a severity with the keyboard and starts the puzzle; the focus
# frame shows on the chosen preview, and the choices are written when Alt+F4 closes the window.
#
#   browser_keys_e2e.sh PUZZLE_BROWSER X11_PROBE SKIN_INI   (needs $DISPLAY: scripts/with-xvfb.sh)
set -euo pipefail
APP=$1
PROBE=$2
SKIN_INI=$3
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh"; exit 1; }

WORK=$(mktemp -d)
APP_PID=
cleanup() {
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

LOG=$WORK/messages.log
STARTED=$WORK/started.log
fail() {
  echo "FAIL: $*"
  echo "--- messages shown:"
  cat "$LOG" 2>/dev/null || true
  import -window root "/tmp/browser-keys-failure-$$.png" 2>/dev/null && echo "(screen saved to /tmp/browser-keys-failure-$$.png)" || true
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
xdo() { timeout 10 xdotool "$@"; }

read -r CLIENT_LEFT CLIENT_TOP < <(awk -F'[=,]' '/^\[FORMINFO\]/{f=1} f && /^clientrect=/{print $2, $3; exit}' "$SKIN_INI")
[[ -n $CLIENT_LEFT ]] || fail "no clientrect in $SKIN_INI"

# Preview N of a package is one solid colour, so the screen tells which preview shows where.
COLORS=(FF0000 00C000 0000FF FFC000 C000C0 00C0C0 804000 008040 400080 C08080 80C080 8080C0 404040)
make_package() {  # make_package DIR NAME COLOR...
  local dir=$1 name=$2
  shift 2
  mkdir -p "$dir"
  printf '[Package]\r\nname=%s\r\nfile=x\r\npreview=p\r\n' "$name" >"$dir/PuzzlePackage.ini"
  local n=0 color severity
  for color in "$@"; do
    n=$((n + 1))
    convert -size 150x150 "xc:#$color" -quality 95 "$dir/p-$n.jpg"
    for severity in Beginner Intermediate Expert Guru Maniac; do
      printf '#!/bin/sh\necho "$0" >>"%s"\n' "$STARTED" >"$dir/x-$n-$severity.exe"
      chmod +x "$dir/x-$n-$severity.exe"
    done
  done
}

RUN=$WORK/run
mkdir -p "$RUN"
cp "$APP" "$RUN/PuzzleBrowser"
make_package "$RUN/alpha-folder" Alpha "${COLORS[@]}"
make_package "$RUN/beta-folder" beta F0F040 40F0F0 F040F0
# Not the first run (no help text), and beta was chosen last time: the player must change it.
printf '[Browser]\r\nPackage=1\r\nFirstTime=0\r\n' >"$RUN/PuzzleBrowser.ini"

pixel() { "$PROBE" pixel "$1" "$2"; }
near() {
  local a=$1 b=$2 i
  for i in 0 2 4; do
    local d=$((16#${a:i:2} - 16#${b:i:2}))
    ((d < 0)) && d=$((-d))
    ((d <= 12)) || return 1
  done
}
client_pixel() { pixel $((WX + CLIENT_LEFT + $1)) $((WY + CLIENT_TOP + $2)); }
slot_shows() { near "$(client_pixel "${SLOT_X[$1]}" "${SLOT_Y[$1]}")" "$2"; }
SLOT_X=(284 460 636 284 460 636)
SLOT_Y=(229 229 229 405 405 405)
# The focus frame: two pixels inside a preview's bevel (bevels at 204/380/556, 149/325).
BEVEL_X=(204 380 556 204 380 556)
BEVEL_Y=(149 149 149 325 325 325)
ring_pixel() { client_pixel $((BEVEL_X[$1] + 2)) $((BEVEL_Y[$1] + 80)); }
focus_on() { [[ $("$PROBE" focus) == "$1" ]]; }
started_is() { [[ -s $STARTED && $(cat "$STARTED") == "$1" ]]; }

# The pointer rests in the screen's corner, away from where the window will be, before the
# program starts; from then on only keys are sent.
xdo mousemove 0 0
(cd "$WORK" && VK_MESSAGE_LOG=$LOG exec "$RUN/PuzzleBrowser") &
APP_PID=$!
TITLE_RE='Puzzle Browser'
wait_until 15 "the main window" bash -c "xdotool search --onlyvisible --name '$TITLE_RE' >/dev/null"
WID=$(xdotool search --onlyvisible --name "$TITLE_RE" | head -1)
read -r WX WY WW WH < <("$PROBE" geometry "$WID")
echo "window $WID at $WX,$WY size ${WW}x$WH"
wait_until 5 "the keyboard focus on the window" focus_on "$WID"
wait_until 5 "beta's first preview" slot_shows 0 F0F040

echo "== Up in the package chooser (which has the focus) picks Alpha"
xdo key Up
wait_until 5 "Alpha's first preview" slot_shows 0 "${COLORS[0]}"

echo "== Alt+Z puts the focus on the previews: the frame shows on the selected one"
UNFOCUSED=$(ring_pixel 0)
xdo key alt+z
wait_until 5 "the focus frame on slot 0" bash -c "[[ \$('$PROBE' pixel $((WX + CLIENT_LEFT + 206)) $((WY + CLIENT_TOP + 229))) != $UNFOCUSED ]]"
FOCUS=$(ring_pixel 0)

echo "== Page Down, then Right: puzzle 8 on page 2"
xdo key Next
wait_until 5 "page 2" slot_shows 0 "${COLORS[6]}"
xdo key Right
wait_until 5 "the focus frame on slot 1" bash -c "[[ \$('$PROBE' pixel $((WX + CLIENT_LEFT + 382)) $((WY + CLIENT_TOP + 229))) == $FOCUS ]]"
[[ $(ring_pixel 0) != "$FOCUS" ]] || fail "the frame stayed on slot 0"
slot_shows 1 "${COLORS[7]}" || fail "slot 1 does not show preview 8"

echo "== 4 sets the severity Guru, Enter starts x-8-Guru.exe"
xdo key 4
xdo key Return
wait_until 5 "the puzzle to start" started_is "$RUN/alpha-folder/x-8-Guru.exe"
kill -0 "$APP_PID" || fail "the browser ended after starting a puzzle"
[[ ! -s $LOG ]] || fail "a message was shown"

echo "== Alt+F4 closes; the choices are written"
xdo key alt+F4
wait_until 10 "the program to end" bash -c "! kill -0 $APP_PID"
set +e
wait "$APP_PID"
status=$?
set -e
APP_PID=
[[ $status == 0 ]] || fail "exit status $status"
grep -q '^Package=0' "$RUN/PuzzleBrowser.ini" || fail "settings: $(cat "$RUN/PuzzleBrowser.ini")"
grep -q '^last_puzzle=8' "$RUN/alpha-folder/PuzzlePackage.ini" || fail "Alpha: $(cat "$RUN/alpha-folder/PuzzlePackage.ini")"
grep -q '^puzzle_8=4' "$RUN/alpha-folder/PuzzlePackage.ini" || fail "Alpha's severity not written"
echo "PASS"
