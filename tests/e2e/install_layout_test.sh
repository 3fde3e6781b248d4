#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs to find Sonoquill.
set -euo pipefail
build_dir="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
test -x "$prefix/bin/sonoquill" || { echo "bin/sonoquill missing"; exit 1; }
entry="$prefix/share/applications/sonoquill.desktop"
test -f "$entry" || { echo "desktop entry missing"; exit 1; }
grep -qx 'Name=Sonoquill' "$entry" || { echo "desktop entry has no Name=Sonoquill"; exit 1; }
grep -qx 'Exec=sonoquill' "$entry" || { echo "desktop entry does not start sonoquill"; exit 1; }
grep -qx 'Categories=AudioVideo;Audio;' "$entry" || { echo "desktop entry categories"; exit 1; }
icon="$prefix/share/icons/hicolor/scalable/apps/sonoquill.svg"
grep -q '<svg' "$icon" || { echo "icon missing"; exit 1; }
echo "install layout ok"
