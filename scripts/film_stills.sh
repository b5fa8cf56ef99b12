#!/bin/sh
# Makes docs/screenshots/film-1.png to film-3.png: three stills of a three-second film of the
# bundled sample demo, rendered by tresk-cli at 30 pictures a second and read back out of the
# MP4 with ffmpeg (the first picture, one from the middle and the last).
# Usage: scripts/film_stills.sh [BUILD_DIR]   (default: build-tests)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-tests}
clip=$(mktemp -d)
trap 'rm -rf "$clip"' EXIT
ASAN_OPTIONS=detect_leaks=0 "$build/bin/tresk-cli" render "$build/share/sample.dm2" \
    "$clip/film.mp4" --blocks 100-129 --fps 30 --size 320x240 --pak "$build/share/sample.pak"
ffmpeg -v error -y -i "$clip/film.mp4" -vf "select='eq(n\,0)+eq(n\,45)+eq(n\,89)'" \
    -vsync 0 docs/screenshots/film-%d.png
echo "wrote docs/screenshots/film-1.png to film-3.png"
