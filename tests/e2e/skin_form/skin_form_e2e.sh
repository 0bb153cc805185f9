#!/usr/bin/env bash
# The skinned frame on the x11 backend, driven from outside as a user would: the window is shaped
# by the skin's mask, moves when its caption is dragged and closes from its close button; a
# skinned message box appears centred, answers Enter and Escape and hands back its result.
#
#   skin_form_e2e.sh SKIN_FORM_E2E_APP X11_PROBE SKIN_INI     (needs $DISPLAY: scripts/with-xvfb.sh)
set -euo pipefail
APP=$1
PROBE=$2
SKIN_INI=$3
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh"; exit 1; }
[[ -f $SKIN_INI ]] || { echo "FAIL: no skin at $SKIN_INI"; exit 1; }

WORK=$(mktemp -d)
LOG=$WORK/log
APP_PID=
cleanup() {
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- program log:"
  cat "$LOG" 2>/dev/null || true
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

pixel_is() { [[ $("$PROBE" pixel "$1" "$2") == "$3" ]]; }
pixel_is_not() { [[ $("$PROBE" pixel "$1" "$2") != "$3" ]]; }
at_position() { read -r gx gy _ _ < <("$PROBE" geometry "$1") && [[ $gx == "$2" && $gy == "$3" ]]; }
in_log() { grep -qx -- "$1" "$LOG"; }
xdo() { timeout 10 xdotool "$@"; }
ended() { ! kill -0 "$APP_PID" 2>/dev/null; }

ROOT_COLOR=204080
"$PROBE" root-color "$ROOT_COLOR"
read -r SCREEN_W SCREEN_H < <(xdo getdisplaygeometry)

echo "== the frame is shaped by the skin's mask"
VK_EXAMPLE_LOG=$LOG "$APP" "$SKIN_INI" &
APP_PID=$!
wait_until 15 "the first frame" in_log "shown"
wait_until 5 "the window" "$PROBE" find "Skin form e2e"
WID=$("$PROBE" find "Skin form e2e")
read -r X Y W H < <("$PROBE" geometry "$WID")
echo "window $WID at $X,$Y size ${W}x$H"
[[ $W == 420 && $H == 260 ]] || fail "size ${W}x$H"
wait_until 5 "the caption on the screen" pixel_is_not $((X + W / 2)) $((Y + 14)) "$ROOT_COLOR"
for corner in "$X $Y" "$((X + W - 1)) $Y" "$X $((Y + H - 1))" "$((X + W - 1)) $((Y + H - 1))"; do
  # shellcheck disable=SC2086
  pixel_is $corner "$ROOT_COLOR" || fail "corner $corner is $("$PROBE" pixel $corner), not the desktop"
done
pixel_is_not $((X + 2)) $((Y + H / 2)) "$ROOT_COLOR" || fail "the left border is missing"

echo "== dragging the caption moves the window"
xdo mousemove $((X + 150)) $((Y + 14))
sleep 0.2
xdo mousedown 1
xdo mousemove $((X + 180)) $((Y + 34))
xdo mousemove $((X + 210)) $((Y + 54))
xdo mouseup 1
wait_until 5 "the window at $((X + 60)),$((Y + 40))" at_position "$WID" $((X + 60)) $((Y + 40))
X=$((X + 60))
Y=$((Y + 40))
wait_until 5 "the moved window's shape" pixel_is "$X" "$Y" "$ROOT_COLOR"
pixel_is_not $((X + W / 2)) $((Y + 14)) "$ROOT_COLOR" || fail "the caption did not move along"

echo "== the close button closes the window"
# The default skin lays its caption buttons out leftwards from its caption rectangle's right
# edge, 6 pixels in from the window's right edge; the close button is the first, 22 wide.
CLOSE_X=$((X + W - 6 - 11))
xdo mousemove "$CLOSE_X" $((Y + 14))
sleep 0.3
xdo click 1
wait_until 10 "the program to end" ended
set +e
wait "$APP_PID"
status=$?
set -e
APP_PID=
[[ $status == 0 ]] || fail "exit status $status"
in_log "closed" || fail "the form was not closed"
in_log "exit 0" || fail "no clean exit"

echo "== a message box appears centred and answers Enter and Escape"
: >"$LOG"
VK_EXAMPLE_LOG=$LOG "$APP" "$SKIN_INI" --message &
APP_PID=$!
wait_until 15 "the message box" "$PROBE" find "Confirm"
BOX=$("$PROBE" find "Confirm")
read -r BX BY BW BH < <("$PROBE" geometry "$BOX")
echo "message box at $BX,$BY size ${BW}x$BH"
[[ $BX == $(((SCREEN_W - BW) / 2)) && $BY == $(((SCREEN_H - BH) / 2)) ]] || fail "not centred: $BX,$BY"
pixel_is $((BX + BW - 1)) "$BY" "$ROOT_COLOR" || fail "the message box is not shaped by the skin"
sleep 0.2
xdo key Return
wait_until 5 "the first answer" in_log "result 6"
wait_until 5 "the second message box" "$PROBE" find "Information"
sleep 0.2
xdo key Escape
wait_until 5 "the second answer" in_log "result 2"
"$PROBE" find "Information" >/dev/null && fail "the message box is still shown"
WID=$("$PROBE" find "Skin form e2e")
"$PROBE" close "$WID"
wait_until 10 "the program to end" ended
set +e
wait "$APP_PID"
status=$?
set -e
APP_PID=
[[ $status == 0 ]] || fail "exit status $status"
echo "PASS"
