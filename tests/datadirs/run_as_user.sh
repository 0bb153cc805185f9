#!/usr/bin/env bash
# Runs a test program as a user who is not root: as the caller when that is not root, else as
# "nobody" (from a copy in a folder that user can read). Exit 77 (skipped) where that is impossible.
set -euo pipefail
program=$1
shift
if [[ $(id -u) -ne 0 ]]; then
  exec "$program" "$@"
fi
if ! command -v setpriv >/dev/null || ! getent passwd nobody >/dev/null; then
  echo "SKIPPED: running as root and cannot switch to the user nobody (setpriv or the user is missing)"
  exit 77
fi
uid=$(id -u nobody)
gid=$(id -g nobody)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp "$program" "$copy/"
chmod 755 "$copy" "$copy/$(basename "$program")"
cd "$copy"
# TMPDIR: a folder of nobody's own, so the test's temporary folders are its to make read-only.
work=$(mktemp -d)
chown "$uid:$gid" "$work"
trap 'rm -rf "$copy" "$work"' EXIT
HOME=$work TMPDIR=$work setpriv --reuid="$uid" --regid="$gid" --clear-groups -- "$copy/$(basename "$program")" "$@"
