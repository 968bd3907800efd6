#!/usr/bin/env bash
# Draws every render-test picture with the real OpenGL renderer, under Xvfb when there is no display.
set -euo pipefail
build=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
out=$build/shots
rm -rf "$out" && mkdir -p "$out"
"$build/quivex-render-scenes" "$out"
"$build/quivex-sim" --gl --frames 5 --dir "$out/sim" --shot w64:"$out/studio_logo_64.png" \
  --shot w200:"$out/studio_logo_200.png" --shot 4:"$out/menu_background.png" > /dev/null
