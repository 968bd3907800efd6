#!/usr/bin/env bash
# The game as a desktop file may start it: no launcher, in a 640x480 window. Its window must open at
# that size with no launcher shown and the choices saved; Alt+Enter must cover the whole screen and come
# back, saving each choice; a window squeezed to 1x1, hidden and brought back must change nothing saved;
# Escape on the menu must end it. Then a place saved off every display must open the window on one.
# Usage: session.sh <quivex>
set -euo pipefail
screen=1280x1024
. "$(dirname "$0")/common.sh"

"$game" --no-launcher --windowed --resolution 640x480 >out.txt 2>&1 &
pid=$!
game_window
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

quit_with_escape

# A place on a display that is no longer there: the window opens on this one.
read -r -a cfg < quivex.cfg || true
cfg[28]=5000 cfg[29]=-3000
echo -n "${cfg[*]}" > quivex.cfg
"$game" --no-launcher >out.txt 2>&1 &
pid=$!
game_window
geometry_is "100,100 640x480" || fail "a window saved off screen opened at $X,$Y ${WIDTH}x$HEIGHT"
kill "$pid"
wait "$pid" || true
rm -rf "$dir"
echo "no-launcher start: window 640x480, choices saved, Alt+Enter there and back, squeezed and hidden, Escape quits, off-screen place mended"
