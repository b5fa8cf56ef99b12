#!/usr/bin/env bash
# Sets everything up, builds the editor and opens it on the bundled sample demo.
#   scripts/run.sh [DEMO]      (a demo of your own instead of the sample)
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCINERAD_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target tresk tresk-cli ref_soft sample_demo game_data
./scripts/sample_settings.sh build

demo="${1:-build/share/sample.dm2}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting the editor on a virtual X server (Ctrl+C stops it)." >&2
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/tresk "$demo"
fi
exec build/bin/tresk "$demo"
