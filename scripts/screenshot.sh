#!/bin/sh
# Makes docs/screenshots/editor-maximised.png: the editor maximised on the bundled sample demo,
# and docs/screenshots/overhead-view.png: its 2D overhead view (View > 2D Overhead Preview),
# drawn on the offscreen platform with a settings store of its own (so the first-run options
# sheet does not ask, and the person's own settings and recent files stay untouched).
# With --with-preview it makes docs/screenshots/editor-preview.png instead: the same, with
# the demo's 3D preview open, drawn by the software renderer from the sample's game data.
# Usage: scripts/screenshot.sh [--with-preview] [BUILD_DIR] [DEMO] [PAK]
#        (defaults: build-tests, its sample demo and the sample's pak)
set -eu
cd "$(dirname "$0")/.."
preview=
if [ "${1:-}" = --with-preview ]; then
    preview=--with-preview
    shift
fi
build=${1:-build-tests}
demo=${2:-$build/share/sample.dm2}
pak=${3:-$build/share/sample.pak}
out=docs/screenshots/editor-maximised.png
[ -n "$preview" ] && out=docs/screenshots/editor-preview.png
overhead=docs/screenshots/overhead-view.png
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/Cinerad2" "$(dirname "$out")"
printf '[Options]\nGamma=10\n' >"$config/Cinerad2/Tresk.conf"
if [ -n "$preview" ]; then
    # The sample's map and models; the renderer is the one beside the program.
    printf 'PreviewRes_X=400\nPreviewRes_Y=300\n[Pak%%20Files]\nPak0=%s\n' \
        "$(realpath "$pak")" >>"$config/Cinerad2/Tresk.conf"
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
        "$build/bin/tresk" --screenshot "$out" --with-preview "$demo"
    echo "wrote $out"
    exit 0
fi
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$build/bin/tresk" --screenshot "$out" "$demo"
# The overhead view draws the map's outline from the demo's map, read from the sample's pak.
printf '[Pak%%20Files]\nPak0=%s\n' "$(realpath "$pak")" >>"$config/Cinerad2/Tresk.conf"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$build/bin/tresk" --screenshot "$overhead" --overhead "$demo"
echo "wrote $out and $overhead"
