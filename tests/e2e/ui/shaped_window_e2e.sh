#!/usr/bin/env bash
# The shaped-window example on the x11 backend, driven from outside as a user would: its shape
# on the screen, a drag on its caption strip, a popup that leaves the keyboard with the main
# window, typed text with an umlaut, and the desktop's close request ending the program.
#
#   shaped_window_e2e.sh SHAPED_WINDOW X11_PROBE      (needs $DISPLAY: scripts/with-xvfb.sh)
set -euo pipefail
APP=$1
PROBE=$2
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh"; exit 1; }

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
focus_is() { [[ $("$PROBE" focus) == "$1" ]]; }
at_position() { read -r gx gy _ _ < <("$PROBE" geometry "$1") && [[ $gx == "$2" && $gy == "$3" ]]; }
in_log() { grep -qx -- "$1" "$LOG"; }
xdo() { timeout 10 xdotool "$@"; }

ROOT_COLOR=204080
CAPTION_COLOR=283860  # the example's caption strip
BODY_COLOR=F0E4C4     # its body
POPUP_COLOR=FFF096    # its popup

echo "== no display: a clear error and a failing exit status"
set +e
message=$(DISPLAY=:4711 timeout 10 "$APP" 2>&1 >/dev/null)
status=$?
set -e
[[ $status == 1 ]] || fail "exit status $status without a display"
[[ $message == *"cannot open the X display"* ]] || fail "message without a display: $message"

echo "== start"
"$PROBE" root-color "$ROOT_COLOR"
VK_EXAMPLE_LOG=$LOG "$APP" &
APP_PID=$!
wait_until 15 "the first frame" grep -q '^first-frame' "$LOG"
wait_until 5 "the window" "$PROBE" find "Shaped window"
WID=$("$PROBE" find "Shaped window")
read -r X Y W H < <("$PROBE" geometry "$WID")
echo "window $WID at $X,$Y size ${W}x$H"

echo "== shape: the desktop shows through the rounded corners"
wait_until 5 "the caption on the screen" pixel_is $((X + W / 2)) $((Y + 16)) "$CAPTION_COLOR"
pixel_is $((X + 8)) $((Y + 120)) "$BODY_COLOR" || fail "body colour inside the window"
for corner in "$((X + 1)) $((Y + 1))" "$((X + W - 2)) $((Y + 1))" "$((X + 1)) $((Y + H - 2))" "$((X + W - 2)) $((Y + H - 2))"; do
  # shellcheck disable=SC2086
  pixel_is $corner "$ROOT_COLOR" || fail "corner $corner is $("$PROBE" pixel $corner), not the desktop"
done
wait_until 5 "the keyboard focus on the window" focus_is "$WID"

echo "== drag the caption strip"
xdo mousemove $((X + 100)) $((Y + 16))
xdo mousedown 1
xdo mousemove $((X + 130)) $((Y + 36))
xdo mousemove $((X + 160)) $((Y + 56))
xdo mouseup 1
wait_until 5 "the window at $((X + 60)),$((Y + 40))" at_position "$WID" $((X + 60)) $((Y + 40))
wait_until 5 "the end of the move loop" in_log "moved to $((X + 60)),$((Y + 40))"
X=$((X + 60))
Y=$((Y + 40))
wait_until 5 "the caption at its new place" pixel_is $((X + W / 2)) $((Y + 16)) "$CAPTION_COLOR"
pixel_is $((X + 1)) $((Y + 1)) "$ROOT_COLOR" || fail "the moved window lost its shape"

echo "== popup: shown, override-redirect, no focus taken"
xdo key F2
wait_until 5 "the popup" "$PROBE" find "Shaped window popup"
POPUP=$("$PROBE" find "Shaped window popup")
[[ $("$PROBE" override-redirect "$POPUP") == 1 ]] || fail "the popup is managed by the desktop"
read -r PX PY PW PH < <("$PROBE" geometry "$POPUP")
wait_until 5 "the popup on the screen" pixel_is $((PX + PW - 8)) $((PY + PH / 2)) "$POPUP_COLOR"
focus_is "$WID" || fail "focus moved to $("$PROBE" focus) when the popup showed"

echo "== typing reaches the main window while the popup is up"
# The umlaut gets a key of its own for the whole test: a mapping made only for one key press
# may be gone by the time the program looks the key up.
UMLAUT_KEY=$("$PROBE" bind-key adiaeresis) || fail "no spare key code for the umlaut"
xdo type --delay 30 'Hi ä!'
wait_until 5 "the typed characters" grep -q '^char U+0021' "$LOG"
typed=$(grep '^char ' "$LOG" | cut -d' ' -f2 | tr '\n' ' ')
[[ $typed == "U+0048 U+0069 U+0020 U+00E4 U+0021 " ]] || fail "typed $typed"
in_log "popup shown" || fail "no popup in the log"
focus_is "$WID" || fail "focus moved while typing"
[[ -z $UMLAUT_KEY ]] || "$PROBE" unbind-key "$UMLAUT_KEY"

echo "== the desktop's close request ends the program"
"$PROBE" close "$WID"
wait_until 10 "the program to end" bash -c "! kill -0 $APP_PID"
set +e
wait "$APP_PID"
status=$?
set -e
APP_PID=
[[ $status == 0 ]] || fail "exit status $status"
in_log "WM_CLOSE" || fail "no WM_CLOSE"
in_log "WM_DESTROY" || fail "no WM_DESTROY"
in_log "exit 0" || fail "no clean exit"
if "$PROBE" find "Shaped window" >/dev/null; then fail "the window is still there"; fi
echo "PASS"
