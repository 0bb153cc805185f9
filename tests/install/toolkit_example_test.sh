#!/usr/bin/env bash
# Builds the skinned_form example as a project of its own against the toolkit installed under
# PREFIX (by the install_tree test), once through the CMake package and once through pkg-config,
# and runs its headless smoke test.
#
#   toolkit_example_test.sh PREFIX EXAMPLE_SOURCE WORK_DIR CXX GENERATOR
set -euo pipefail
prefix=$1 source=$2 work=$3 cxx=$4 generator=$5
rm -rf "$work"
mkdir -p "$work"

# The CMake package: find_package(VondrakelToolkit) and its imported targets.
cmake -S "$source" -B "$work/cmake" -G "$generator" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log"; exit 1; }
# Nothing of the source tree may be reached: the build sees only the prefix.
tree=$(realpath "$source/../..")
if grep -q -- "-I$tree\b\|$tree/\(platform\|skin\)/" "$work/cmake/build.ninja"; then
  echo "FAIL: the example's build reaches into the source tree" >&2
  exit 1
fi
cmake --build "$work/cmake" >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
(cd "$work/cmake" && VK_BACKEND=headless ctest --output-on-failure --no-tests=error)

# pkg-config: the same program from the compiler's command line.
pcdir=$( (ls -d "$prefix"/lib*/pkgconfig "$prefix"/lib/*/pkgconfig 2>/dev/null || true) | head -1)
flags=$(PKG_CONFIG_PATH="$pcdir" pkg-config --cflags vondrakel-toolkit)
libs=$(PKG_CONFIG_PATH="$pcdir" pkg-config --libs vondrakel-toolkit)
cmake -DVK_EMBED_INPUT="$source/hello.vkf" -DVK_EMBED_OUTPUT="$work/hello_vkf.cpp" -DVK_EMBED_NAME=hello.vkf \
  -P "$(dirname "$pcdir")/cmake/VondrakelToolkit/EmbedResource.cmake"
# shellcheck disable=SC2086
"$cxx" -std=c++20 $flags "$source/main.cpp" "$work/hello_vkf.cpp" -o "$work/skinned_form_pc" $libs
skin=$(PKG_CONFIG_PATH="$pcdir" pkg-config --variable=skindir vondrakel-toolkit)
VK_BACKEND=headless "$work/skinned_form_pc" "$skin" --check "$work/skinned_form_pc.png"
