#!/usr/bin/env bash
# The Debian package: built with CPack, checked by lintian (no errors), installed with dpkg into a
# throw-away root, started there on the headless backend against its installed sample packages,
# and removed again without leaving files behind.
#
#   deb_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
name=vondrakel-puzzle-browser
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

if [[ $(id -u) -ne 0 ]]; then
  echo "SKIPPED: dpkg --root needs root to give the installed files their owners"
  exit 77
fi

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -D CPACK_COMPONENTS_ALL=browser >cpack.log 2>&1) ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/${name}_*.deb)

# Dependencies come from the shared libraries the programs link.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libx11-6 libfreetype6 libjpeg62-turbo libpng16-16 zlib1g libstdc++6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh installs it)"
lintian "$deb" >"$work/lintian.log" 2>&1 || true
if grep -q '^E:' "$work/lintian.log"; then
  cat "$work/lintian.log" >&2
  fail "lintian reports errors"
fi
grep '^W:' "$work/lintian.log" || true

# A throw-away root: dpkg's database and nothing else. The libraries the package depends on are
# the host's, so their dependencies are not installed there.
root=$work/root
mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb" >"$work/dpkg-install.log" 2>&1 ||
  { cat "$work/dpkg-install.log"; fail "dpkg -i"; }
dpkg --root="$root" -s "$name" | grep -q '^Status: install ok installed' || fail "not installed"

# Start the installed launcher on the headless backend; it finds the installed sample packages.
# A player is not root: run as "nobody" when the test runs as root, so the program folder under
# usr/lib is read-only to it, as on a real system (root would keep its settings there, portably).
home=$work/home
log=$home/messages.log
shots=$home/screens
mkdir -p "$home" "$shots"
as_player=()
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null && getent passwd nobody >/dev/null; then
  chown -R "$(id -u nobody):$(id -g nobody)" "$home"
  as_player=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
fi
env -u XDG_DATA_DIRS -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" VK_BACKEND=headless \
  VK_MESSAGE_LOG="$log" VK_SCREENSHOT_DIR="$shots" timeout 60 "${as_player[@]}" "$root/usr/bin/$name" ||
  fail "the installed browser did not end cleanly"
[[ -f "$shots/screen-1.png" ]] || fail "the installed browser showed nothing"
if grep -q "No puzzle packages found" "$log" 2>/dev/null; then fail "the installed browser found no packages"; fi
grep -q "Short introduction" "$log" || fail "the first start did not show the help text"

# A sample puzzle program finds the installed sliding puzzle through the launcher's variable.
puzzle=$(ls "$root/usr/share/$name/packages/Shapes/"*-1-Beginner.exe)
VK_SLIDING_PUZZLE="$root/usr/lib/$name/SlidingPuzzle" VK_BACKEND=headless timeout 60 "$puzzle" >/dev/null ||
  fail "the sample puzzle did not start the installed SlidingPuzzle"

dpkg --root="$root" -r "$name" >"$work/dpkg-remove.log" 2>&1 || { cat "$work/dpkg-remove.log"; fail "dpkg -r"; }
left=$(find "$root" -path "$root/var/lib/dpkg" -prune -o -type f -print | head -5)
[[ -z "$left" ]] || fail "files left after removal: $left"
echo "installed, started and removed $(basename "$deb") cleanly"
