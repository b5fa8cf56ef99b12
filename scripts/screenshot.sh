#!/bin/sh
# Makes docs/screenshots/editor-maximised.png: the editor maximised on the bundled sample demo,
# drawn on the offscreen platform with a settings store of its own (so the first-run options
# sheet does not ask, and the person's own settings and recent files stay untouched).
# Usage: scripts/screenshot.sh [BUILD_DIR] [DEMO]   (defaults: build-tests, its sample demo)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-tests}
demo=${2:-$build/share/sample.dm2}
out=docs/screenshots/editor-maximised.png
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/Cinerad2" "$(dirname "$out")"
printf '[Options]\nGamma=10\n' >"$config/Cinerad2/Tresk.conf"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
    "$build/bin/tresk" --screenshot "$out" "$demo"
echo "wrote $out"
