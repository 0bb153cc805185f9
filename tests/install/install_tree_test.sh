#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the tree a desktop expects: the programs, the
# launcher, the sample packages, the desktop entry and metainfo (validated by the desktop's own
# validators), the icons at every size with transparency, the man pages and the toolkit.
#
#   install_tree_test.sh BUILD_DIR PREFIX
set -euo pipefail
build=$1
prefix=$2
name=vondrakel-puzzle-browser
app=example.vondrakel.PuzzleBrowser
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
need_file() { [[ -f "$prefix/$1" ]] || fail "missing $1"; }
need_exec() { [[ -x "$prefix/$1" && -f "$prefix/$1" ]] || fail "missing or not executable: $1"; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

need_exec bin/$name
need_exec bin/skintool
need_exec lib/$name/PuzzleBrowser
need_exec lib/$name/SlidingPuzzle
[[ ! -e "$prefix/bin/PuzzleBrowser" ]] || fail "the browser belongs under lib/$name, not bin/"

# The sample packages, each with its ini file, previews and executable puzzle programs.
packages=0
for ini in "$prefix"/share/$name/packages/*/PuzzlePackage.ini; do
  [[ -f "$ini" ]] || continue
  packages=$((packages + 1))
  dir=$(dirname "$ini")
  ls "$dir"/*.jpg >/dev/null 2>&1 || fail "no previews in $dir"
  programs=$(find "$dir" -type f -perm -u+x | wc -l)
  ((programs > 0)) || fail "no executable puzzle programs in $dir"
done
((packages == 3)) || fail "expected the 3 sample packages, found $packages"

need_file share/applications/$app.desktop
need_file share/metainfo/$app.metainfo.xml
need_file share/man/man6/$name.6.gz
need_file share/man/man1/skintool.1.gz
need_file share/doc/$name/copyright
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop-file-validate"
else
  fail "desktop-file-validate is not installed (scripts/install-deps.sh installs it)"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >/tmp/vk-appstream.$$ 2>&1 ||
    { cat /tmp/vk-appstream.$$ >&2; fail "appstreamcli validate"; }
  rm -f /tmp/vk-appstream.$$
else
  fail "appstreamcli is not installed (scripts/install-deps.sh installs it)"
fi
# The desktop entry starts the launcher the install put in bin/, and names the installed icon.
grep -qx "Exec=$name" "$prefix/share/applications/$app.desktop" || fail "Exec is not the launcher"
grep -qx "Icon=$app" "$prefix/share/applications/$app.desktop" || fail "Icon is not the app id"
grep -q "<release version=\"[0-9.]*\"" "$prefix/share/metainfo/$app.metainfo.xml" || fail "no release"

# Icons: a PNG of the right size with an alpha channel (colour type 6) for each hicolor size.
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png"
  if [[ ! -f "$icon" ]]; then fail "missing icon $size"; continue; fi
  read -r w h type < <(od -An -tu1 -j16 -N10 "$icon" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8, $10}')
  [[ "$w" == "$size" && "$h" == "$size" ]] || fail "icon $size is ${w}x$h"
  [[ "$type" == 6 ]] || fail "icon $size has no alpha channel (colour type $type)"
done

# Man pages are well-formed for man(1).
if command -v man >/dev/null; then
  for page in share/man/man6/$name.6.gz share/man/man1/skintool.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$prefix/$page" 2>&1 >/dev/null || true)
    [[ -z "$warnings" ]] || fail "$page: $warnings"
  done
fi

# The installed tools run from their new place.
"$prefix/bin/skintool" check "$prefix/share/$name/skin" >/dev/null || fail "installed skintool check of the installed skin"

# The installed launcher starts the browser, which lists the packages installed under the prefix.
home=$(mktemp -d)
log=$home/messages.log
env -u XDG_DATA_DIRS -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" VK_BACKEND=headless VK_MESSAGE_LOG="$log" \
  timeout 60 "$prefix/bin/$name" || fail "the installed launcher did not run the browser"
grep -q "Short introduction" "$log" 2>/dev/null || fail "the installed browser did not start"
if grep -q "No puzzle packages found" "$log"; then fail "the installed browser found no packages"; fi
rm -rf "$home"

# The toolkit: headers, libraries, CMake package and pkg-config file.
need_file include/vondrakel/skin/form/bsSkinForm.h
need_file include/vondrakel/platform/forms/Form.h
need_file include/vondrakel/platform/core/VersionInfo.h
libdir=$(cd "$prefix" && ls -d lib*/cmake/VondrakelToolkit 2>/dev/null | head -1)
[[ -n "$libdir" ]] || fail "no CMake package VondrakelToolkit"
need_file "$(dirname "$(dirname "$libdir")")/pkgconfig/vondrakel-toolkit.pc"
need_file share/$name/skin/skin.ini
if [[ -n "$libdir" ]]; then
  include=$(PKG_CONFIG_PATH="$prefix/$(dirname "$(dirname "$libdir")")/pkgconfig" pkg-config \
    --variable=includedir vondrakel-toolkit)
  [[ "$(realpath -m "$include")" == "$(realpath "$prefix")/include/vondrakel" ]] ||
    fail "pkg-config's include folder $include is not the prefix's"
fi
# Headers only: no sources or build files leak into the include folder.
leaked=$(find "$prefix/include" -type f ! -name '*.h' | head -3)
[[ -z "$leaked" ]] || fail "non-header files installed: $leaked"

if ((failures > 0)); then
  echo "$failures problem(s) in the installed tree under $prefix" >&2
  exit 1
fi
echo "installed tree under $prefix is complete"
