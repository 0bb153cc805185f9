#!/usr/bin/env bash
# Runs a command with a private Xvfb display (started with -noreset so it survives its last
# client) and stops the server afterwards. An existing DISPLAY is not used. The server picks a
# free display number itself (-displayfd), so runs started at the same moment never share one.
set -euo pipefail
fifo=$(mktemp -u /tmp/vk-xvfb.XXXXXX)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp -dpi 96 3>"$fifo" >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null || true; wait $XVFB_PID 2>/dev/null || true; rm -f "$fifo"' EXIT
DISPLAY_NUM=""
if ! read -r -t 20 DISPLAY_NUM <"$fifo" || [[ -z "$DISPLAY_NUM" ]]; then
  echo "with-xvfb: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$DISPLAY_NUM"
"$@"
