#!/bin/sh
# Usage: validate-install.sh CMAKE BUILD_DIR DESKTOP_ID...
# Installs the build tree into a scratch prefix, then validates the installed desktop entry and
# AppStream metainfo of each program, checks its themed icons and that every file names the same
# version. Exits 77 (skipped) when a validator is missing.
set -eu
cmake=$1
build=$2
shift 2

for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for id in "$@"; do
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
done

# One version everywhere: what the program says, the package, the metainfo and the version record.
said=$("$prefix/bin/kehrzaehler-cli" --version | sed -n 's/^Kehrzähler //p')
atlas=$("$prefix/bin/kehrzahl-atlas" --version | sed -n 's/^Kehrzahl-Atlas //p')
package=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
released=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$prefix"/share/metainfo/*.metainfo.xml | sort -u)
record=$(sed -n 's/.*VALUE "ProductVersion", "\([^"]*\)".*/\1/p' "$build/generated/resources/kehrzaehler.rc")
echo "versions: program $said, atlas $atlas, package $package, metainfo $released, version record $record"
[ -n "$said" ] && [ "$said" = "$atlas" ] && [ "$said" = "$package" ] && [ "$said" = "$released" ] && [ "$said" = "$record" ] ||
    { echo "the versions differ"; exit 1; }
