#!/usr/bin/env bash
# The game started full screen at native resolution on a 2560 x 1440 display, its OpenGL calls traced:
# it must draw every frame straight into the window's 1920 x 1440 middle, with no offscreen picture and
# no scaling pass, and keep the choice in options.cfg while quivex.cfg keeps its fixed resolution.
# Usage: native_fullscreen.sh <quivex>
set -euo pipefail
screen=2560x1440
. "$(dirname "$0")/common.sh"

apitrace trace -o calls.trace "$game" --no-launcher --resolution native --fullscreen >out.txt 2>&1 &
pid=$!
game_window
xdotool windowfocus "$id" || true
quit_with_escape

apitrace dump calls.trace | grep -oE "(glViewport|glBlitFramebuffer|glRenderbufferStorage[A-Za-z]*|glXSwapBuffers)\(.*" > calls.txt
swaps=$(grep -c '^glXSwapBuffers' calls.txt || true)
native=$(grep -c '^glViewport(x = 320, y = 0, width = 1920, height = 1440)' calls.txt || true)
[ "$swaps" -ge 200 ] || fail "only $swaps frames traced"
[ "$native" -ge "$swaps" ] || fail "$native of $swaps frames drawn at 1920 x 1440 in the middle"
grep -q '^glBlitFramebuffer' calls.txt && fail "a scaling pass: $(grep -m1 '^glBlitFramebuffer' calls.txt)"
grep -q '^glRenderbufferStorage' calls.txt && fail "an offscreen picture: $(grep -m1 '^glRenderbufferStorage' calls.txt)"
# Every viewport after the first native one is the native picture or the half-size glow layer's.
others=$(sed -n '/^glViewport(x = 320, y = 0, width = 1920, height = 1440)/,$p' calls.txt | grep '^glViewport' |
  grep -v -e 'width = 1920, height = 1440)' -e 'width = 960, height = 720)' || true)
[ -z "$others" ] || fail "frames drawn at another size: $(echo "$others" | head -n 1)"

grep -qx 'resolution = native' options.cfg || fail "options.cfg: $(cat options.cfg)"
# quivex.cfg: the version, 14 bindings, then ResolutionIndex, ScreenOrientation, Windowed.
read -r -a cfg < quivex.cfg || true
[ "${cfg[15]}" = 1 ] && [ "${cfg[17]}" = 0 ] || fail "quivex.cfg: ${cfg[*]}"
rm -rf "$dir"
echo "native full screen on 2560 x 1440: $swaps frames drawn straight at 1920 x 1440, no offscreen picture, no scaling"
