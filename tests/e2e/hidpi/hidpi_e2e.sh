#!/usr/bin/env bash
# The real PuzzleBrowser on an X server of 192 dpi (scripts/with-xvfb.sh --dpi 192): the program
# picks scale 2 by itself, its window is twice the size it has with VK_SCALE=1, the skin's frame
# is enlarged by whole pixels (sharp edges, the mask's corners cut twice as deep), the caption
# text is drawn at the larger size, and a click lands where the player sees the preview.
#
#   hidpi_e2e.sh PUZZLE_BROWSER X11_PROBE SKIN_INI   (needs $DISPLAY at 192 dpi)
# With HIDPI_SHOT=FILE.png the screen at scale 2 is kept there.
set -euo pipefail
APP=$1
PROBE=$2
SKIN_INI=$3
[[ -n "${DISPLAY:-}" ]] || { echo "FAIL: needs an X server: run under scripts/with-xvfb.sh --dpi 192"; exit 1; }

WORK=$(mktemp -d)
APP_PID=
cleanup() {
  if [[ -n $APP_PID ]] && kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  import -window root "/tmp/hidpi-e2e-failure.png" 2>/dev/null && echo "(screen saved to /tmp/hidpi-e2e-failure.png)" || true
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

ROOT_COLOR=204080
# form_rect KEY: the four numbers of a [FORMINFO] rectangle.
form_rect() { awk -F'[=,]' -v key="$1" '{sub(/\r$/, "")} /^\[FORMINFO\]/{f=1} f && $1 == key {print $2, $3, $4, $5; exit}' "$SKIN_INI"; }
read -r CLIENT_LEFT CLIENT_TOP _ _ < <(form_rect clientrect)
read -r CAPTION_LEFT CAPTION_TOP CAPTION_RIGHT CAPTION_BOTTOM < <(form_rect captionrect)
[[ -n $CLIENT_LEFT && -n $CAPTION_BOTTOM ]] || fail "no clientrect or captionrect in $SKIN_INI"

# One package of six one-colour previews; the settings say the help text was seen.
COLORS=(FF0000 00C000 0000FF FFC000 C000C0 00C0C0)
RUN=$WORK/run
mkdir -p "$RUN/alpha"
cp "$APP" "$RUN/PuzzleBrowser"
printf '[Package]\r\nname=Alpha\r\nfile=x\r\npreview=pa\r\n' >"$RUN/alpha/PuzzlePackage.ini"
for n in 1 2 3 4 5 6; do
  convert -size 150x150 "xc:#${COLORS[n - 1]}" -quality 95 "$RUN/alpha/pa-$n.jpg"
done
printf '[Browser]\r\nFirstTime=0\r\n' >"$RUN/PuzzleBrowser.ini"

pixel() { "$PROBE" pixel "$1" "$2"; }
near() {
  local a=$1 b=$2 i
  for i in 0 2 4; do
    local d=$((16#${a:i:2} - 16#${b:i:2}))
    ((d < 0)) && d=$((-d))
    ((d <= 12)) || return 1
  done
}
main_window() { xdotool search --onlyvisible --name 'Puzzle Browser' 2>/dev/null | head -1; }
has_window() { [[ -n $(main_window) ]]; }

# start_browser [VAR=VALUE...]: starts the program, waits for its window, sets WID WX WY WW WH.
start_browser() {
  "$PROBE" root-color "$ROOT_COLOR"
  (cd "$WORK" && exec env "$@" "$RUN/PuzzleBrowser") &
  APP_PID=$!
  wait_until 15 "the main window" has_window
  WID=$(main_window)
  read -r WX WY WW WH < <("$PROBE" geometry "$WID")
}
stop_browser() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=
  wait_until 5 "the window to go" bash -c "[[ -z \$(xdotool search --onlyvisible --name 'Puzzle Browser' 2>/dev/null) ]]"
}

echo "== VK_SCALE=1 overrides the screen's 192 dpi"
start_browser VK_SCALE=1
W1=$WW
H1=$WH
echo "scale 1: ${W1}x$H1"
[[ $W1 -gt 760 && $H1 -gt 570 ]] || fail "window ${W1}x$H1 at scale 1"
stop_browser

echo "== without it, 192 dpi gives scale 2: the window is twice the size"
start_browser
echo "scale 2: ${WW}x$WH at $WX,$WY"
[[ $WW == $((2 * W1)) && $WH == $((2 * H1)) ]] || fail "window ${WW}x$WH is not twice ${W1}x$H1"

S=2
# A logical client point on the screen.
client_x() { echo $((WX + S * (CLIENT_LEFT + $1))); }
client_y() { echo $((WY + S * (CLIENT_TOP + $1))); }
client_pixel() { pixel "$(client_x "$1")" "$(client_y "$2")"; }
slot_shows() { near "$(client_pixel "$1" "$2")" "$3"; }
wait_until 10 "preview 1 in slot 0" slot_shows 284 229 "${COLORS[0]}"
slot_shows 636 405 "${COLORS[5]}" || fail "slot 5 does not show preview 6"

echo "== the mask's corners are cut twice as deep"
[[ $(pixel $((WX + 1)) $((WY + 1))) == "$ROOT_COLOR" ]] || fail "top-left corner is not cut away"
[[ $(pixel $((WX + 3)) $((WY + 3))) == "$ROOT_COLOR" ]] || fail "the cut corner is not scaled"
[[ $(pixel $((WX + WW - 3)) $((WY + 3))) == "$ROOT_COLOR" ]] || fail "top-right corner is not cut away"
[[ $(pixel $((WX + WW / 2)) $((WY + 4))) != "$ROOT_COLOR" ]] || fail "the caption is cut away"

echo "== a click on a scaled preview selects it"
FRAME=C0C0C0
frame_at() { [[ $(client_pixel "$1" "$2") == "$FRAME" ]]; }
wait_until 5 "the frame around preview 1" frame_at 204 230
xdo mousemove "$(client_x 636)" "$(client_y 229)" click 1
wait_until 5 "the frame around preview 3" frame_at 556 230
frame_at 204 230 && fail "preview 1 keeps its frame"

echo "== the screen: sharp skin edges, text drawn at the larger size"
SHOT=$WORK/shot.png
import -window root "$SHOT"
[[ -n ${HIDPI_SHOT:-} ]] && cp "$SHOT" "$HIDPI_SHOT"
# mixed_blocks X Y W H: how many pixels of the area differ from the area with every aligned
# 2 x 2 block made one colour. A picture enlarged by whole pixels has none.
mixed_blocks() {
  convert "$SHOT" -crop "$3x$4+$1+$2" +repage "$WORK/area.png"
  convert "$WORK/area.png" -sample 50% -sample 200% "$WORK/blocks.png"
  compare -metric AE "$WORK/area.png" "$WORK/blocks.png" null: 2>&1 || true
}
colours() { convert "$SHOT" -crop "$3x$4+$1+$2" +repage -format %k info:; }
# sharp NAME X Y W H: a part of the frame that is skin picture only has edges (more than one
# colour) and every one of them falls between blocks.
sharp() {
  local name=$1 m
  shift
  [[ $(colours "$@") -gt 1 ]] || fail "the $name shows one colour only"
  m=$(mixed_blocks "$@")
  [[ $m == 0 ]] || fail "the $name is not enlarged by whole pixels ($m pixels blend)"
}
sharp "left border" "$WX" $((WY + S * CLIENT_TOP)) $((S * CLIENT_LEFT)) $((WH - S * CLIENT_TOP - 2 * S))
sharp "bottom border" "$WX" $((WY + WH - 2 * S)) "$WW" $((2 * S))
# The caption: the title's glyphs have edges inside the blocks.
m=$(mixed_blocks $((WX + S * CAPTION_LEFT)) $((WY + S * CAPTION_TOP)) $((S * (CAPTION_RIGHT - CAPTION_LEFT))) \
  $((S * (CAPTION_BOTTOM - CAPTION_TOP))))
[[ $m -gt 50 ]] || fail "the caption text looks like scale-1 text enlarged ($m mixed pixels)"

stop_browser
echo "PASS"
