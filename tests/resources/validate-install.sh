#!/bin/sh
# Usage: validate-install.sh CMAKE BUILD_DIR DESKTOP_ID
# Installs the build tree into a scratch prefix, then validates the installed desktop entry and
# AppStream metainfo and checks the themed icons. Exits 77 (skipped) when a validator is missing.
set -eu
cmake=$1
build=$2
id=$3

for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
# desktop-file-validate passes warnings with status 0: any message at all counts as a failure.
messages=$(desktop-file-validate "$desktop" 2>&1) || { echo "$messages"; exit 1; }
if [ -n "$messages" ]; then
    echo "$messages"
    exit 1
fi
echo "desktop entry valid: $desktop"
appstreamcli validate --no-net "$metainfo"
for size in 16 32; do
    icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    [ -s "$icon" ] || { echo "missing icon $icon"; exit 1; }
done
echo "icons installed: 16x16, 32x32"
