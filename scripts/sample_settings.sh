#!/usr/bin/env bash
# Writes the editor's first settings so that its 3D preview works on the bundled sample:
# when nothing is stored yet and the game's own data is not installed, the pak list names
# the generated sample.pak and the editor's cinerad.pak, and the Quake 2 folder is left
# empty (the renderer is then taken from beside the program).
#   scripts/sample_settings.sh BUILD_DIR
# Stored settings and an installed game are never touched.
set -euo pipefail

build="$(cd "${1:?usage: sample_settings.sh BUILD_DIR}" && pwd)"
game_pak="${CINERAD_GAME_PAK:-/usr/share/games/quake2/baseq2/pak0.pak}"
store="${XDG_CONFIG_HOME:-$HOME/.config}/Cinerad2/Tresk.conf"

if [ -e "$store" ] || [ -e "$game_pak" ]; then
  exit 0
fi
for pak in "$build/share/sample.pak" "$build/bin/cinerad.pak"; do
  if [ ! -f "$pak" ]; then
    echo "sample_settings: $pak is missing; build the game_data target first." >&2
    exit 1
  fi
done

mkdir -p "$(dirname "$store")"
# The editor reads this file with QSettings: spaces in names are written as %20.
cat > "$store" <<INI
[Options]
Gamma=50
Quake2%20Path=
PreviewRes_X=320
PreviewRes_Y=240
UndoDepth=100

[Pak%20Files]
Pak0=$build/share/sample.pak
Pak1=$build/bin/cinerad.pak
INI
echo "sample_settings: no game data installed; the preview uses the sample's pak ($store)." >&2
