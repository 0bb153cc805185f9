#!/usr/bin/env bash
# The real PuzzleBrowser on the x11 backend, driven from outside as a player would: messages at
# the first start, the shaped window, selecting, paging, choosing a severity and starting a
# puzzle, package choice, settings kept between runs, and the two ways the program ends by itself.
#
#   browser_e2e.sh PUZZLE_BROWSER X11_PROBE SKIN_INI VERSION   (needs $DISPLAY: scripts/with-xvfb.sh)
set -euo pipefail
APP=$1
PROBE=$2
SKIN_INI=$3
VERSION=$4
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
  import -window root "$WORK/failure.png" 2>/dev/null && echo "(screen saved to $WORK/failure.png)" || true
  trap - EXIT
  if [[ -n $APP_PID ]]; then kill "$APP_PID" 2>/dev/null || true; fi
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
xdo() { timeout 10 xdotool "$@"; }

TITLE="Vondrakel(tm) - Puzzle Browser $VERSION"
ROOT_COLOR=204080

# The client area's place inside the skinned frame, from the skin's [FORMINFO] clientrect.
read -r CLIENT_LEFT CLIENT_TOP < <(awk -F'[=,]' '/^\[FORMINFO\]/{f=1} f && /^clientrect=/{print $2, $3; exit}' "$SKIN_INI")
[[ -n $CLIENT_LEFT ]] || fail "no clientrect in $SKIN_INI"

# ---- Packages -------------------------------------------------------------------------------
# Preview N of a package is one solid colour, so the screen tells which preview shows where.
COLORS=(FF0000 00C000 0000FF FFC000 C000C0 00C0C0 804000 008040 400080 C08080 80C080 8080C0 404040)
BETA_COLORS=(F0F040 40F0F0 F040F0)

make_package() {  # make_package DIR NAME FILEBASE PREVIEWBASE COLOR...
  local dir=$1 name=$2 file=$3 preview=$4
  shift 4
  mkdir -p "$dir"
  printf '[Package]\r\nname=%s\r\nfile=%s\r\npreview=%s\r\n' "$name" "$file" "$preview" >"$dir/PuzzlePackage.ini"
  local n=0 color severity
  for color in "$@"; do
    n=$((n + 1))
    convert -size 150x150 "xc:#$color" -quality 95 "$dir/$preview-$n.jpg"
    for severity in Beginner Intermediate Expert Guru Maniac; do
      # Stands in for the puzzle: records how it was started.
      printf '#!/bin/sh\necho "$0|$#" >>"%s"\n' "$STARTED" >"$dir/$file-$n-$severity.exe"
      chmod +x "$dir/$file-$n-$severity.exe"
    done
  done
}

RUN=$WORK/run
mkdir -p "$RUN"
cp "$APP" "$RUN/PuzzleBrowser"
make_package "$RUN/alpha-folder" Alpha x pa "${COLORS[@]}"
make_package "$RUN/beta-folder" beta b pb "${BETA_COLORS[@]}"
mkdir -p "$RUN/unrelated"

# ---- Looking at the screen ------------------------------------------------------------------
pixel() { "$PROBE" pixel "$1" "$2"; }
# near RRGGBB RRGGBB: every channel within 12 (the previews are JPEGs).
near() {
  local a=$1 b=$2 i
  for i in 0 2 4; do
    local d=$((16#${a:i:2} - 16#${b:i:2}))
    ((d < 0)) && d=$((-d))
    ((d <= 12)) || return 1
  done
}
client_pixel() { pixel $((WX + CLIENT_LEFT + $1)) $((WY + CLIENT_TOP + $2)); }
client_near() { near "$(client_pixel "$1" "$2")" "$3"; }
client_is() { [[ $(client_pixel "$1" "$2") == "$3" ]]; }
client_is_not() { [[ $(client_pixel "$1" "$2") != "$3" ]]; }
click() { xdo mousemove $((WX + CLIENT_LEFT + $1)) $((WY + CLIENT_TOP + $2)) click 1; }
double_click() { xdo mousemove $((WX + CLIENT_LEFT + $1)) $((WY + CLIENT_TOP + $2)) click --repeat 2 --delay 80 1; }

# The visible windows of the program: "ID WIDTH HEIGHT" each.
program_windows() {
  local id
  for id in $(xdotool search --onlyvisible --name 'Puzzle Browser' 2>/dev/null); do
    read -r _ _ w h < <("$PROBE" geometry "$id") && echo "$id $w $h"
  done
}
MAIN_WIDTH=
# The message box: a visible program window that is not the main window.
dialog() { program_windows | awk -v main="$MAIN_WIDTH" '$2 != main {print $1; found=1} END {exit !found}'; }
main_window() { program_windows | awk -v main="$MAIN_WIDTH" '$2 == main {print $1; found=1} END {exit !found}'; }
no_dialog() { ! dialog; }
focus_on() { [[ $("$PROBE" focus) == "$1" ]]; }
# answer KEY: presses KEY once the message box has the keyboard (a key pressed before the desktop
# gave it the focus would go elsewhere, as it would for a player).
answer() {
  local box
  wait_until 5 "the message box" dialog
  box=$(dialog)
  wait_until 5 "the keyboard focus on the message box" focus_on "$box"
  xdo key "$1"
}
messages() { grep -c '^--$' "$LOG" 2>/dev/null || echo 0; }
messages_are() { [[ $(messages) == "$1" ]]; }
# The text of message N (1-based) of the log.
message() { awk -v n="$1" 'BEGIN{i=1} /^--$/{i++; next} i==n' "$LOG"; }

# A preview frame: its left line in the bevel's dark colour.
FRAME=C0C0C0
FRAME_X=(204 380 556 204 380 556)
FRAME_Y=(230 230 230 400 400 400)
frame_shown() { client_is "${FRAME_X[$1]}" "${FRAME_Y[$1]}" "$FRAME"; }
frame_hidden() { client_is_not "${FRAME_X[$1]}" "${FRAME_Y[$1]}" "$FRAME"; }
only_frame() {
  local s
  for s in 0 1 2 3 4 5; do
    if [[ $s == "$1" ]]; then frame_shown "$s" || return 1; else frame_hidden "$s" || return 1; fi
  done
}
SLOT_X=(284 460 636 284 460 636)
SLOT_Y=(229 229 229 405 405 405)
slot_shows() { client_near "${SLOT_X[$1]}" "${SLOT_Y[$1]}" "$2"; }

start_browser() {
  "$PROBE" root-color "$ROOT_COLOR"
  (cd "$WORK" && VK_MESSAGE_LOG=$LOG exec "$RUN/PuzzleBrowser") &
  APP_PID=$!
}
wait_end() {
  wait_until 10 "the program to end" bash -c "! kill -0 $APP_PID"
  set +e
  wait "$APP_PID"
  local status=$?
  set -e
  APP_PID=
  [[ $status == 0 ]] || fail "exit status $status"
}

# ---- First run ------------------------------------------------------------------------------
echo "== first run: the skip message for the folder without PuzzlePackage.ini"
rm -f "$LOG"
start_browser
wait_until 15 "the first message" messages_are 1
message 1 | grep -qx 'Configuration for puzzle package not found. Package will be skipped:' || fail "first message: $(message 1)"
message 1 | grep -qx "$RUN/unrelated/PuzzlePackage.ini" || fail "the skip message names no path"
answer Return
echo "== then the help text, answered with Escape"
wait_until 10 "the help text" messages_are 2
message 2 | head -1 | grep -qx 'Short introduction:' || fail "second message: $(message 2)"
message 2 | grep -qx 'Hinweis: Deine Auswahl wird für die nächste Sitzung gespeichert.' || fail "help text ends wrong"

echo "== the window: 760 x 570 inside the frame, shaped by the skin's mask"
# The main window is the widest program window.
wait_until 5 "the main window and the help box" bash -c "[[ \$(xdotool search --onlyvisible --name 'Puzzle Browser' | wc -l) -ge 2 ]]"
MAIN_WIDTH=$(program_windows | sort -k2 -n | tail -1 | awk '{print $2}')
HELP=$(dialog) || fail "no help box"
answer Escape
wait_until 5 "the help box to close" no_dialog
WID=$(main_window) || fail "no main window"
read -r WX WY WW WH < <("$PROBE" geometry "$WID")
echo "window $WID at $WX,$WY size ${WW}x$WH (help box was $HELP)"
[[ $(xdotool getwindowname "$WID") == "$TITLE" ]] || fail "title: $(xdotool getwindowname "$WID")"
[[ $WW -gt 760 && $WH -gt 570 ]] || fail "window ${WW}x$WH cannot hold the 760 x 570 client area"
[[ $(pixel $((WX + 1)) $((WY + 1))) == "$ROOT_COLOR" ]] || fail "top-left corner is not cut away"
[[ $(pixel $((WX + WW - 2)) $((WY + 1))) == "$ROOT_COLOR" ]] || fail "top-right corner is not cut away"
[[ $(pixel $((WX + WW - 1)) $((WY + WH - 1))) == "$ROOT_COLOR" ]] || fail "bottom-right corner is not cut away"
[[ $(pixel $((WX + WW / 2)) $((WY + 2))) != "$ROOT_COLOR" ]] || fail "the caption is cut away"

echo "== the first package (in name order) and its first puzzle are selected"
wait_until 5 "preview 1 in slot 0" slot_shows 0 "${COLORS[0]}"
slot_shows 5 "${COLORS[5]}" || fail "slot 5 does not show preview 6"
wait_until 5 "the frame around preview 1" only_frame 0

echo "== a click on a preview frames it"
click "${SLOT_X[2]}" "${SLOT_Y[2]}"
wait_until 5 "the frame around preview 3" only_frame 2

echo "== the up-down pages"
click 737 497  # lower button: next page
wait_until 5 "page 2" slot_shows 0 "${COLORS[6]}"
slot_shows 5 "${COLORS[11]}" || fail "page 2 slot 5"
only_frame 2 || fail "the selection moved within the page"
click 737 497
wait_until 5 "page 3" slot_shows 0 "${COLORS[12]}"
click 737 477  # upper button: previous page
wait_until 5 "page 2 again" slot_shows 0 "${COLORS[6]}"
click 737 477
wait_until 5 "page 1 again" slot_shows 0 "${COLORS[0]}"
messages_are 2 || fail "paging showed a message: $(message 3)"

echo "== severity 3 for puzzle 5, then a double click starts x-5-Expert.exe"
click "${SLOT_X[4]}" "${SLOT_Y[4]}"
wait_until 5 "the frame around preview 5" only_frame 4
# The focus starts on the package chooser; Tab moves to the severity chooser.
xdo key Tab
xdo key Down Down
sleep 0.3
rm -f "$STARTED"
double_click "${SLOT_X[4]}" "${SLOT_Y[4]}"
wait_until 5 "the puzzle to start" test -s "$STARTED"
[[ $(cat "$STARTED") == "$RUN/alpha-folder/x-5-Expert.exe|0" ]] || fail "started: $(cat "$STARTED")"
kill -0 "$APP_PID" || fail "the browser ended after starting a puzzle"

echo "== the package chooser: beta, then its second puzzle"
xdo key shift+Tab
xdo key Down
wait_until 5 "beta's previews" slot_shows 0 "${BETA_COLORS[0]}"
frame_hidden 3 || fail "slot 3 has a frame in a package of 3"
click "${SLOT_X[1]}" "${SLOT_Y[1]}"
wait_until 5 "the frame around beta's preview 2" only_frame 1

echo "== Alt+F4 closes; the settings and last_puzzle are written"
xdo key alt+F4
wait_end
SETTINGS=$RUN/PuzzleBrowser.ini
[[ -f $SETTINGS ]] || fail "no settings file"
grep -q '^Package=1' "$SETTINGS" || fail "settings: $(cat "$SETTINGS")"
grep -q '^FirstTime=0' "$SETTINGS" || fail "settings: $(cat "$SETTINGS")"
grep -q '^last_puzzle=5' "$RUN/alpha-folder/PuzzlePackage.ini" || fail "Alpha: $(cat "$RUN/alpha-folder/PuzzlePackage.ini")"
grep -q '^puzzle_5=3' "$RUN/alpha-folder/PuzzlePackage.ini" || fail "Alpha severity not written"
[[ $(grep -c '^puzzle_' "$RUN/alpha-folder/PuzzlePackage.ini") == 13 ]] || fail "not every severity of Alpha written"
grep -q '^last_puzzle=2' "$RUN/beta-folder/PuzzlePackage.ini" || fail "beta: $(cat "$RUN/beta-folder/PuzzlePackage.ini")"

# ---- Second run -----------------------------------------------------------------------------
echo "== second run: no help, the same selection"
rm -f "$LOG"
start_browser
wait_until 15 "the skip message" messages_are 1
answer Return
wait_until 10 "the main window" main_window
WID=$(main_window)
read -r WX WY WW WH < <("$PROBE" geometry "$WID")
wait_until 5 "beta's previews" slot_shows 0 "${BETA_COLORS[0]}"
wait_until 5 "the frame around beta's preview 2" only_frame 1
sleep 0.5
messages_are 1 || fail "a second message in the second run: $(message 2)"
no_dialog || fail "a message box is open"

echo "== back to Alpha: puzzle 5 with severity 3 is remembered"
xdo key Up
wait_until 5 "Alpha's previews" slot_shows 0 "${COLORS[0]}"
wait_until 5 "the frame around preview 5" only_frame 4
rm -f "$STARTED"
click "${SLOT_X[4]}" "${SLOT_Y[4]}"
sleep 0.2
xdo key Tab Tab Return  # severity chooser, then the start button
wait_until 5 "the puzzle to start" test -s "$STARTED"
[[ $(cat "$STARTED") == "$RUN/alpha-folder/x-5-Expert.exe|0" ]] || fail "started: $(cat "$STARTED")"

echo "== a preview that disappears: its message, then the program ends"
rm "$RUN/alpha-folder/pa-8.jpg"
click 737 497
wait_until 5 "the missing-preview message" messages_are 2
message 2 | grep -qx 'Preview image not found:' || fail "message: $(message 2)"
message 2 | grep -qx "$RUN/alpha-folder/pa-8.jpg" || fail "the message names no path"
answer Return
wait_end

# ---- No packages ----------------------------------------------------------------------------
echo "== no packages: the message, then the program ends"
EMPTY=$WORK/empty
mkdir -p "$EMPTY"
cp "$APP" "$EMPTY/PuzzleBrowser"
RUN=$EMPTY
rm -f "$LOG"
start_browser
wait_until 15 "the message" messages_are 1
message 1 | head -1 | grep -qx 'No puzzle packages found. Please, check your installation.' || fail "message: $(message 1)"
answer Return
wait_end
messages_are 1 || fail "more messages: $(message 2)"
echo "PASS"
