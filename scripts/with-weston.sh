#!/usr/bin/env bash
# Runs a command on a Wayland desktop through XWayland: a private weston on its headless backend
# with the pixman renderer (so it draws, and weston-screenshooter can read the screen), no panel,
# one 1280 x 1024 output and a plain background (0x204080). DISPLAY (the XWayland server) and
# WAYLAND_DISPLAY are set for the command; VK_WESTON_SHOT names a helper that saves the screen
# as PNG: "$VK_WESTON_SHOT FILE". Exits with 77 (a skipped test for CTest) when weston or
# XWayland is not installed; scripts/install-deps.sh installs them.
set -euo pipefail
for program in weston Xwayland weston-screenshooter; do
  if ! command -v "$program" >/dev/null; then
    echo "with-weston: SKIP: $program is not installed (scripts/install-deps.sh installs weston and xwayland)"
    exit 77
  fi
done
RUNTIME=$(mktemp -d /tmp/vk-weston.XXXXXX)
chmod 700 "$RUNTIME"
SOCKET=vk-wayland-$$
cat >"$RUNTIME/weston.ini" <<'INI'
[core]
idle-time=0

[shell]
background-color=0xff204080
panel-position=none
locking=false
INI
XDG_RUNTIME_DIR=$RUNTIME weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 \
  --xwayland --socket="$SOCKET" --config="$RUNTIME/weston.ini" --debug >"$RUNTIME/weston.log" 2>&1 &
WESTON_PID=$!
trap 'kill $WESTON_PID 2>/dev/null || true; wait $WESTON_PID 2>/dev/null || true; rm -rf "$RUNTIME"' EXIT
DISPLAY_NUM=
for ((i = 0; i < 200; i++)); do
  DISPLAY_NUM=$(grep -o 'xserver listening on display :[0-9]*' "$RUNTIME/weston.log" | grep -o '[0-9]*$' || true)
  [[ -n $DISPLAY_NUM ]] && break
  kill -0 $WESTON_PID 2>/dev/null || break
  sleep 0.05
done
if [[ -z $DISPLAY_NUM ]]; then
  echo "with-weston: weston did not start:" >&2
  cat "$RUNTIME/weston.log" >&2
  exit 1
fi
export XDG_RUNTIME_DIR=$RUNTIME WAYLAND_DISPLAY=$SOCKET DISPLAY=":$DISPLAY_NUM"
# XWayland starts with its first client; wait until it answers.
for ((i = 0; i < 200; i++)); do
  xprop -root >/dev/null 2>&1 && break
  sleep 0.05
done
SHOT=$RUNTIME/shot.sh
cat >"$SHOT" <<SH
#!/bin/sh
# Saves the compositor's screen as PNG to \$1.
set -e
dir=\$(mktemp -d "$RUNTIME/shot.XXXXXX")
(cd "\$dir" && XDG_RUNTIME_DIR="$RUNTIME" WAYLAND_DISPLAY="$SOCKET" weston-screenshooter >/dev/null 2>&1)
mv "\$dir"/*.png "\$1"
rmdir "\$dir"
SH
chmod +x "$SHOT"
export VK_WESTON_SHOT=$SHOT
"$@"
