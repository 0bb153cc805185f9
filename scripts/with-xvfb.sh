#!/usr/bin/env bash
# Runs a command with a private Xvfb display (started with -noreset so it survives its last
# client) and stops the server afterwards. An existing DISPLAY is not used. The server picks a
# free display number itself (-displayfd), so runs started at the same moment never share one.
#
#   with-xvfb.sh [--dpi N] COMMAND...
# --dpi N gives the screen N dots per inch (96 by default) and makes it N / 96 times as large, so
# that it holds as much at a high density as the default screen does at 96.
set -euo pipefail
dpi=96
if [[ ${1:-} == --dpi ]]; then
  dpi=${2:-}
  [[ $dpi =~ ^[0-9]+$ && $dpi -ge 48 && $dpi -le 960 ]] || { echo "with-xvfb: --dpi needs 48..960" >&2; exit 2; }
  shift 2
fi
width=$((1280 * dpi / 96))
height=$((1024 * dpi / 96))
fifo=$(mktemp -u /tmp/vk-xvfb.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -noreset -nolisten tcp -dpi "$dpi" 3>"$fifo" >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null || true; wait $XVFB_PID 2>/dev/null || true; rm -f "$fifo"' EXIT
DISPLAY_NUM=""
if ! read -r -t 20 DISPLAY_NUM <"$fifo" || [[ -z "$DISPLAY_NUM" ]]; then
  echo "with-xvfb: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$DISPLAY_NUM"
"$@"
