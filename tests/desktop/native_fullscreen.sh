#!/usr/bin/env bash
# The game started full screen at native resolution on a 2560 x 1440 display, its OpenGL calls traced:
# it must draw every frame straight into the window's 1920 x 1440 middle, with no offscreen picture and
# no scaling pass, and keep the choice in options.cfg while quivex.cfg keeps its fixed resolution.
# Usage: native_fullscreen.sh <quivex>
set -euo pipefail
if [ -z "${QUIVEX_ON_XVFB:-}" ]; then
  QUIVEX_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 2560x1440x24" "$0" "$@"
fi
game=$(readlink -f "$1")
dir=$(mktemp -d /tmp/quivex-native-XXXXXX)
cd "$dir"
export SDL_AUDIODRIVER=dummy
# LeakSanitizer's tracer can crash while Mesa's threads come and go; the tracer is preloaded ahead of
# the sanitizer's runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:verify_asan_link_order=0"

apitrace trace -o calls.trace "$game" --no-launcher --resolution native --fullscreen >out.txt 2>&1 &
pid=$!
fail() {
  echo "FAILED: $*" >&2
  kill "$pid" 2>/dev/null || true
  echo "--- output" >&2; cat out.txt >&2
  echo "--- err.log" >&2; cat err.log >&2 2>/dev/null || true
  rm -rf "$dir"
  exit 1
}
id=$(timeout 60 xdotool search --sync --onlyvisible --name '^quiv-ex$' | head -n 1) || fail "no game window"
[ -n "$id" ] || fail "no game window"
xdotool windowfocus "$id" || true
# Escape quits from the main menu once the warm-up frames are over; hold it long enough to be seen.
for _ in $(seq 90); do
  kill -0 "$pid" 2>/dev/null || break
  xdotool keydown Escape; sleep 0.2; xdotool keyup Escape; sleep 0.8
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status"

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
