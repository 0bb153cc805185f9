#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the project needs.
# Idempotent: prints nothing and touches nothing when all packages are present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git ccache
  clang libclang-rt-14-dev clang-format clang-tidy
  libx11-dev libxext-dev libxrandr-dev libxfixes-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2 fontconfig
  libpixman-1-dev libjpeg62-turbo-dev zlib1g-dev libdeflate-dev libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick xdg-utils
  lintian desktop-file-utils appstream
  libsystemd-dev dbus
  # The soak test's input driver, and the desktops of the end-to-end tests: a window manager
  # (openbox) and a Wayland compositor with XWayland (weston).
  libxtst-dev openbox weston xwayland
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
