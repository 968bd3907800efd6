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

# The front end: menu pages driven by taps (one every 4 frames from frame 2), the HUD in each orientation,
# a level title tumbling in and the boss warning.
taps() { f=2; for c in "$@"; do echo "$f +$c"; echo "$((f + 2)) -$c"; f=$((f + 4)); done; }
front=$out/front && mkdir -p "$front"
taps > "$front/none.keys"
taps 208 208 208 28 > "$front/options.keys"
taps 208 208 208 28 205 > "$front/options_horiz.keys"
taps 208 208 208 28 205 205 > "$front/options_tate.keys"
taps 208 208 208 28 208 208 208 28 208 208 208 208 45 > "$front/redefine.keys"
taps 208 208 208 28 208 208 208 208 28 > "$front/credits.keys"
for page in none options options_horiz options_tate redefine credits; do
  name=$page && [ "$page" = none ] && name=main
  "$build/quivex-sim" --gl --frames 130 --dir "$front/$page" --keys "$front/$page.keys" \
    --shot 125:"$out/menu_$name.png" > /dev/null
done
for o in 0 1 2; do
  mkdir -p "$front/hud$o"
  echo "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 $o 0 0 0 0 0 0 0 0 0 0 0 100 100" \
    > "$front/hud$o/quivex.cfg"
  "$build/quivex-sim" --gl --frames 430 --dir "$front/hud$o" --start full --bot --immortal \
    --shot 60:"$out/level_title_$o.png" --shot 420:"$out/hud_$o.png" > /dev/null
done
"$build/quivex-sim" --gl --frames 50 --dir "$front/warning" --start boss 2 --shot 45:"$out/boss_warning.png" > /dev/null
