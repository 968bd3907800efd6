# Shared by the desktop tests: sourced after the game's path is in $game and the test's screen size in
# $screen. Runs the test on a private Xvfb (a window manager would frame the window and steal the keys),
# in a scratch folder, silent.
if [ -z "${QUIVEX_ON_XVFB:-}" ]; then
  QUIVEX_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 ${screen}x24" "$0" "$@"
fi
game=$(readlink -f "$1")
dir=$(mktemp -d /tmp/quivex-desktop-XXXXXX)
cd "$dir"
export SDL_AUDIODRIVER=dummy
# LeakSanitizer's tracer can crash while Mesa's threads come and go (see launcher_smoke/run.sh); a
# preloaded tracer comes ahead of the sanitizer's runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:verify_asan_link_order=0"

fail() {
  echo "FAILED: $*" >&2
  kill "$pid" 2>/dev/null || true
  echo "--- output" >&2; cat out.txt >&2
  echo "--- err.log" >&2; cat err.log >&2 2>/dev/null || true
  rm -rf "$dir"
  exit 1
}

# The game's window, once it shows.
game_window() {
  id=$(timeout 60 xdotool search --sync --onlyvisible --name '^quiv-ex$' | head -n 1) || fail "no game window"
  [ -n "$id" ] || fail "no game window"
}

# Escape quits from the main menu once the warm-up frames are over; held long enough to be seen, until
# the game has ended, which must be with status 0.
quit_with_escape() {
  for _ in $(seq 90); do
    kill -0 "$pid" 2>/dev/null || break
    xdotool keydown Escape; sleep 0.2; xdotool keyup Escape; sleep 0.8
  done
  kill -0 "$pid" 2>/dev/null && fail "still running after Escape"
  status=0
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "exit status $status"
}
