#!/usr/bin/env bash
# Runs a command under the openbox window manager on the current X display (start the display
# first, e.g. scripts/with-xvfb.sh scripts/with-openbox.sh CMD...). Exits with 77 (a skipped
# test for CTest) when openbox is not installed; scripts/install-deps.sh installs it.
set -euo pipefail
[[ -n "${DISPLAY:-}" ]] || { echo "with-openbox: needs an X display" >&2; exit 1; }
if ! command -v openbox >/dev/null; then
  echo "with-openbox: SKIP: openbox is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
CONFIG=$(mktemp -d /tmp/vk-openbox.XXXXXX)
root_properties() { xprop -root 2>/dev/null | grep -oE '^[A-Za-z_0-9]+' | sort -u; }
root_properties >"$CONFIG/before"
# No session manager, no autostart: only the window manager itself.
XDG_CONFIG_HOME=$CONFIG openbox --sm-disable >"$CONFIG/openbox.log" 2>&1 &
WM_PID=$!
stop() {
  kill $WM_PID 2>/dev/null || true
  wait $WM_PID 2>/dev/null || true
  # The display goes on without a window manager: the root properties it left (work area,
  # desktops, its check window) would tell the next program otherwise.
  local name
  for name in $(root_properties | comm -13 "$CONFIG/before" -); do xprop -root -remove "$name" 2>/dev/null || true; done
  rm -rf "$CONFIG"
}
trap stop EXIT
# Ready once it names its check window on the root (EWMH).
for ((i = 0; i < 100; i++)); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then break; fi
  kill -0 $WM_PID 2>/dev/null || { echo "with-openbox: openbox ended:" >&2; cat "$CONFIG/openbox.log" >&2; exit 1; }
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || { echo "with-openbox: openbox did not start" >&2; exit 1; }
"$@"
