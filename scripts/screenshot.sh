#!/bin/sh
# Makes docs/screenshots/editor-maximised.png: the editor maximised on the bundled sample demo,
# drawn on the offscreen platform with a settings store of its own (so the first-run options
# sheet does not ask, and the person's own settings and recent files stay untouched).
# With --with-preview it makes docs/screenshots/editor-preview.png instead: the same, with
# the demo's 3D preview open, drawn by the software renderer from the sample's game data.
# Usage: scripts/screenshot.sh [--with-preview] [BUILD_DIR] [DEMO]
#        (defaults: build-tests, its sample demo)
set -eu
cd "$(dirname "$0")/.."
preview=
if [ "${1:-}" = --with-preview ]; then
    preview=--with-preview
    shift
fi
build=${1:-build-tests}
demo=${2:-$build/share/sample.dm2}
out=docs/screenshots/editor-maximised.png
[ -n "$preview" ] && out=docs/screenshots/editor-preview.png
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/Cinerad2" "$(dirname "$out")"
printf '[Options]\nGamma=10\n' >"$config/Cinerad2/Tresk.conf"
if [ -n "$preview" ]; then
    # The sample's map and models; the renderer is the one beside the program.
    printf 'PreviewRes_X=400\nPreviewRes_Y=300\n[Pak%%20Files]\nPak0=%s\n' \
        "$(pwd)/$build/share/sample.pak" >>"$config/Cinerad2/Tresk.conf"
fi
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$build/bin/tresk" --screenshot "$out" $preview "$demo"
echo "wrote $out"
