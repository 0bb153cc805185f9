#!/usr/bin/env bash
# The program on real desktops: under a window manager (openbox) and on a Wayland compositor
# through XWayland (weston). Both place and frame windows themselves; the program must show its
# shaped window, know where its windows really are, move by its caption, and centre message
# boxes on the browser's window.
#
#   desktop_e2e.sh openbox|weston PUZZLE_BROWSER DESKTOP_APP X11_PROBE SKIN_INI VERSION
#
# Run under scripts/with-xvfb.sh scripts/with-openbox.sh, or under scripts/with-weston.sh.
# The weston desktop is its headless backend: it has no pointer or keyboard, and XWayland
# (22.1) ends when a test fakes pointer input there, so under weston the caption drag and typed
# answers are left out; windows are closed through the desktop's close request instead.
set -euo pipefail
MODE=$1
APP=$2
DESKTOP_APP=$3
PROBE=$4
SKIN_INI=$5
VERSION=$6
[[ $MODE == openbox || $MODE == weston ]] || { echo "usage: desktop_e2e.sh openbox|weston ..."; exit 2; }
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs a desktop: run under scripts/with-openbox.sh or with-weston.sh"; exit 1; }

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  local p
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAIL ($MODE): $*"
  if [[ -s $WORK/app.log ]]; then echo "--- the form program's log:"; tail -n 8 "$WORK/app.log"; fi
  shot "$WORK/failure.png" 2>/dev/null && cp "$WORK/failure.png" "/tmp/desktop-$MODE-failure.png" &&
    echo "(screen saved to /tmp/desktop-$MODE-failure.png)" || true
  exit 1
}
wait_until() {  # wait_until SECONDS WHAT COMMAND...
  local tries=$(($1 * 20)) what=$2
  shift 2
  until "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    ((tries > 0)) || fail "timed out waiting for $what"
    sleep 0.05
  done
}
geometry() { "$PROBE" geometry "$1"; }

# ---- The screen as the desktop shows it ------------------------------------------------------
SHOT=$WORK/screen.png
shot() {
  if [[ $MODE == weston ]]; then "$VK_WESTON_SHOT" "$1"; else import -window root "$1"; fi
}
take_shot() { shot "$SHOT"; }
pixel() {  # from the last take_shot
  convert "$SHOT" -crop "1x1+$1+$2" -depth 8 txt: | tail -1 | grep -o '#[0-9A-F]\{6\}' | tr -d '#'
}
near() {  # near RRGGBB RRGGBB: every channel within 16
  local a=$1 b=$2 i d
  for i in 0 2 4; do
    d=$((16#${a:i:2} - 16#${b:i:2}))
    ((d < 0)) && d=$((-d))
    ((d <= 16)) || return 1
  done
}
[[ $MODE == openbox ]] && "$PROBE" root-color 204080

read -r CLIENT_LEFT CLIENT_TOP < <(awk -F'[=,]' '/^\[FORMINFO\]/{f=1} f && /^clientrect=/{print $2, $3; exit}' "$SKIN_INI")
[[ -n $CLIENT_LEFT ]] || fail "no clientrect in $SKIN_INI"

# ---- 1. The program's idea of its window's place follows the desktop ---------------------------
echo "== $MODE: a skinned form knows where the desktop put it"
LOG=$WORK/app.log
VK_EXAMPLE_LOG=$LOG "$DESKTOP_APP" "$SKIN_INI" 300 200 &
APP_PID=$!
PIDS+=("$APP_PID")
wait_until 20 "the form" grep -qx shown "$LOG"
FORM=$(xdotool search --onlyvisible --name '^Desktop e2e$' | head -1)
[[ -n $FORM ]] || fail "no form window"
believed() { grep '^bounds ' "$LOG" | tail -1 | cut -d' ' -f2-; }
knows_place() { [[ "$(believed)" == "$(geometry "$FORM")" ]]; }
wait_until 10 "the form's bounds to match the screen ($(geometry "$FORM"))" knows_place
echo "form at $(geometry "$FORM") (asked for 300 200), the program says $(believed)"
wait_until 10 "the second form" bash -c "xdotool search --onlyvisible --name '^Desktop e2e 2\$'"
SECOND=$(xdotool search --onlyvisible --name '^Desktop e2e 2$' | head -1)
believed2() { grep '^bounds2 ' "$LOG" | tail -1 | cut -d' ' -f2-; }
knows_second() { [[ "$(believed2)" == "$(geometry "$SECOND")" ]]; }
wait_until 10 "the second form's bounds to match the screen ($(geometry "$SECOND"))" knows_second
echo "second form at $(geometry "$SECOND") (asked for 340 240), the program says $(believed2)"
if [[ $MODE == openbox ]]; then
  # Moved from outside: the window manager moves its frame.
  xdotool windowmove "$FORM" 520 380
  wait_until 10 "the move from outside" bash -c "[[ \"\$('$PROBE' geometry $FORM)\" == '520 380 '* ]]"
  wait_until 10 "the program to follow the move ($(geometry "$FORM"))" knows_place
fi
"$PROBE" close "$FORM"
wait_until 10 "the form to close" bash -c "! kill -0 $APP_PID"

# ---- 2. The browser -----------------------------------------------------------------------------
RUN=$WORK/run
mkdir -p "$RUN/alpha"
cp "$APP" "$RUN/PuzzleBrowser"
printf '[Package]\r\nname=Alpha\r\nfile=a\r\npreview=pa\r\n' >"$RUN/alpha/PuzzlePackage.ini"
for n in $(seq 13); do
  convert -size 150x150 "xc:rgb($((n * 19 % 256)),$((n * 67 % 256)),200)" "$RUN/alpha/pa-$n.jpg"
done
MESSAGES=$WORK/messages.log
(cd "$WORK" && VK_MESSAGE_LOG=$MESSAGES exec "$RUN/PuzzleBrowser") &
BROWSER=$!
PIDS+=("$BROWSER")
echo "== $MODE: the browser's first start shows the help text in a message box"
wait_until 20 "the help text" grep -qx 'Short introduction:' "$MESSAGES"
program_windows() {  # "ID X Y W H" of each visible window of the browser
  local id
  for id in $(xdotool search --onlyvisible --pid "$BROWSER" 2>/dev/null); do
    [[ $("$PROBE" override-redirect "$id" 2>/dev/null) == 0 ]] || continue
    echo "$id $(geometry "$id")"
  done
}
two_windows() { [[ $(program_windows | wc -l) -ge 2 ]]; }
wait_until 10 "the main window and the message box" two_windows
read -r MAIN MX MY MW MH < <(program_windows | sort -k4 -n | tail -1)
read -r BOX BX BY BW BH < <(program_windows | sort -k4 -n | head -1)
echo "main $MAIN at $MX,$MY ${MW}x$MH; message box $BOX at $BX,$BY ${BW}x$BH"
((MW > 760 && MH > 570)) || fail "main window ${MW}x$MH"
[[ $(xdotool getwindowname "$MAIN") == "Vondrakel(tm) - Puzzle Browser $VERSION" ]] || fail "title"

if [[ ${VK_DESKTOP_CHECK_SHAPE:-1} == 1 ]]; then
echo "== $MODE: the window shows shaped"
sleep 0.5
take_shot
BACKGROUND=$(pixel 3 1020)
for corner in "$((MX + 1)) $((MY + 1))" "$((MX + MW - 2)) $((MY + 1))" "$((MX + MW - 1)) $((MY + MH - 1))"; do
  # shellcheck disable=SC2086
  near "$(pixel $corner)" "$BACKGROUND" || fail "corner $corner shows $(pixel $corner), not the desktop $BACKGROUND"
done
near "$(pixel $((MX + MW / 2)) $((MY + 3)))" "$BACKGROUND" && fail "the caption is cut away"
fi

centre_offset() {  # how far the box's centre lies from the main window's, per axis
  echo $(((BX + BW / 2) - (MX + MW / 2))) $(((BY + BH / 2) - (MY + MH / 2)))
}
read -r DX DY < <(centre_offset)
echo "message box centre is off the main window's by $DX,$DY"
if [[ $MODE == openbox ]]; then
  ((DX >= -2 && DX <= 2 && DY >= -2 && DY <= 2)) || fail "the message box is not centred on the browser's window"
  wait_until 5 "the keyboard on the message box" bash -c "[[ \$('$PROBE' focus) == $BOX ]]"
  xdotool key Escape
else
  # The compositor places every window itself (the box centred on its output, the main window
  # where it likes); the program's requests for a place are not followed.
  "$PROBE" close "$BOX"
fi
wait_until 10 "the message box to close" bash -c "[[ \$(xdotool search --onlyvisible --pid $BROWSER | wc -l) -le 1 ]] || ! xdotool search --onlyvisible --pid $BROWSER | grep -qx $BOX"

if [[ $MODE == openbox ]]; then
  echo "== openbox: the window moves by its caption"
  read -r MX MY _ _ < <(geometry "$MAIN")
  SX=$((MX + MW / 2 - 100))
  SY=$((MY + CLIENT_TOP / 2))
  xdotool mousemove "$SX" "$SY" mousedown 1
  for step in 1 2 3 4 5 6; do
    sleep 0.05
    xdotool mousemove $((SX + step * 20)) $((SY + step * 15))
  done
  sleep 0.2
  xdotool mouseup 1
  wait_until 10 "the window to follow the caption drag" bash -c "[[ \"\$('$PROBE' geometry $MAIN)\" == '$((MX + 120)) $((MY + 90)) '* ]]"
  read -r MX MY _ _ < <(geometry "$MAIN")
  echo "moved to $MX,$MY"

  echo "== openbox: the package list drops down under its box in the moved window"
  xdotool mousemove $((MX + CLIENT_LEFT + 204 + 200)) $((MY + CLIENT_TOP + 99 + 9)) click 1
  list() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$BROWSER" 2>/dev/null); do
      [[ $("$PROBE" override-redirect "$id" 2>/dev/null) == 1 ]] && echo "$id $(geometry "$id")"
    done
    return 0
  }
  wait_until 5 "the drop-down list" bash -c "[[ -n \"\$(xdotool search --onlyvisible --pid $BROWSER | while read -r i; do [[ \$('$PROBE' override-redirect \$i) == 1 ]] && echo \$i; done)\" ]]"
  read -r _ LX LY _ _ < <(list | head -1)
  WANT_X=$((MX + CLIENT_LEFT + 204))
  WANT_Y=$((MY + CLIENT_TOP + 99 + 18))
  echo "list at $LX,$LY, the box's lower left corner at $WANT_X,$WANT_Y"
  ((LX >= WANT_X - 2 && LX <= WANT_X + 2)) || fail "the list is not under its box (x $LX, want $WANT_X)"
  ((LY >= WANT_Y - 2 && LY <= WANT_Y + 4)) || fail "the list is not under its box (y $LY, want $WANT_Y)"
  xdotool key Escape
fi

echo "== $MODE: the desktop's close request ends the browser normally"
"$PROBE" close "$MAIN"
wait_until 15 "the browser to end" bash -c "! kill -0 $BROWSER"
set +e
wait "$BROWSER"
STATUS=$?
set -e
[[ $STATUS == 0 ]] || fail "exit status $STATUS"
grep -q '^FirstTime=0' "$RUN/PuzzleBrowser.ini" || fail "settings not written: $(cat "$RUN/PuzzleBrowser.ini" 2>/dev/null)"
echo "PASS ($MODE)"
