#!/usr/bin/env bash
# The game as a desktop file may start it: no launcher, in a 640x480 window. Its window must open at
# that size with no launcher shown and the choices saved; Alt+Enter must cover the whole screen and come
# back, saving each choice; a window squeezed to 1x1, hidden and brought back must change nothing saved;
# Escape on the menu must end it. Then a place saved off every display must open the window on one.
# Usage: session.sh <quivex>
set -euo pipefail
# Always on a private Xvfb: a window manager would frame the window and steal the keys.
if [ -z "${QUIVEX_ON_XVFB:-}" ]; then
  QUIVEX_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
game=$(readlink -f "$1")
dir=$(mktemp -d /tmp/quivex-desktop-XXXXXX)
cd "$dir"
export SDL_AUDIODRIVER=dummy
# LeakSanitizer's tracer can crash while Mesa's threads come and go (see launcher_smoke/run.sh).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

"$game" --no-launcher --windowed --resolution 640x480 >out.txt 2>&1 &
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
# The window is placed and sized just after it appears; give that a moment.
for _ in $(seq 300); do
  eval "$(xdotool getwindowgeometry --shell "$id")"
  [ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] && break
  sleep 0.1
done
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 480 ] || fail "window is ${WIDTH}x$HEIGHT, not 640x480"

# The launcher logs "in" when it starts; skipped, the log goes straight to the window's size.
grep -qx 'in' err.log && fail "the launcher ran"
grep -qx 'change_window_size: 648 507' err.log || fail "no windowed 640x480 in err.log"
# quivex.cfg: the version, 14 bindings, then ResolutionIndex, ScreenOrientation, Windowed.
read -r -a cfg < quivex.cfg || true  # no newline at its end
[ "${cfg[15]}" = 0 ] && [ "${cfg[17]}" = 1 ] || fail "choices not saved: ${cfg[*]}"

# Alt+Enter: full screen over the whole 1280x1024 desktop, saved; again: the window where it was, saved.
xdotool windowfocus "$id"
geometry_is() {
  for _ in $(seq 300); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$X,$Y ${WIDTH}x$HEIGHT" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
windowed_saved() {
  for _ in $(seq 300); do
    read -r -a cfg < quivex.cfg || true
    [ "${cfg[17]}" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}
xdotool key alt+Return
geometry_is "0,0 1280x1024" || fail "full screen is $X,$Y ${WIDTH}x$HEIGHT"
windowed_saved 0 || fail "full screen not saved: ${cfg[*]}"
xdotool key alt+Return
geometry_is "100,100 640x480" || fail "back to a window at $X,$Y ${WIDTH}x$HEIGHT"
windowed_saved 1 || fail "window not saved: ${cfg[*]}"

# Squeezed to a single pixel, then hidden as a minimised window is, then back: the game draws on, and
# nothing of it reaches quivex.cfg.
saved=$(cat quivex.cfg)
xdotool windowsize "$id" 1 1
geometry_is "100,100 1x1" || fail "not squeezed: $X,$Y ${WIDTH}x$HEIGHT"
xdotool windowunmap --sync "$id"
xdotool windowmap --sync "$id"
xdotool windowsize "$id" 640 480
geometry_is "100,100 640x480" || fail "not restored: $X,$Y ${WIDTH}x$HEIGHT"
kill -0 "$pid" 2>/dev/null || fail "the game ended while squeezed or hidden"
[ "$(cat quivex.cfg)" = "$saved" ] || fail "quivex.cfg changed: $(cat quivex.cfg)"
xdotool windowfocus "$id"

# Escape quits from the main menu once the warm-up frames are over; hold it long enough to be seen.
for _ in $(seq 60); do
  kill -0 "$pid" 2>/dev/null || break
  xdotool keydown Escape; sleep 0.2; xdotool keyup Escape; sleep 0.8
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
status=0
wait "$pid" || status=$?
[ "$status" = 0 ] || fail "exit status $status"

# A place on a display that is no longer there: the window opens on this one.
read -r -a cfg < quivex.cfg || true
cfg[28]=5000 cfg[29]=-3000
echo -n "${cfg[*]}" > quivex.cfg
"$game" --no-launcher >out.txt 2>&1 &
pid=$!
id=$(timeout 60 xdotool search --sync --onlyvisible --name '^quiv-ex$' | head -n 1) || fail "no game window"
geometry_is "100,100 640x480" || fail "a window saved off screen opened at $X,$Y ${WIDTH}x$HEIGHT"
kill "$pid"
wait "$pid" || true
rm -rf "$dir"
echo "no-launcher start: window 640x480, choices saved, Alt+Enter there and back, squeezed and hidden, Escape quits, off-screen place mended"
