#!/usr/bin/env bash
# Runs a command with a private Xvfb display (started with -noreset so it survives its last
# client) and stops the server afterwards. An existing DISPLAY is not used.
set -euo pipefail
for n in $(seq 90 140); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then DISPLAY_NUM=$n; break; fi
done
: "${DISPLAY_NUM:?no free display number}"
Xvfb ":$DISPLAY_NUM" -screen 0 1280x1024x24 -noreset -nolisten tcp -dpi 96 >/dev/null 2>&1 &
XVFB_PID=$!
trap 'kill $XVFB_PID 2>/dev/null || true; wait $XVFB_PID 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
  [[ -e /tmp/.X11-unix/X$DISPLAY_NUM ]] && break
  sleep 0.05
done
export DISPLAY=":$DISPLAY_NUM"
"$@"
