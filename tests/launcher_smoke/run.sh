#!/usr/bin/env bash
# Runs the launcher smoke test, under Xvfb when there is no display.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# LeakSanitizer's stop-the-world tracer can crash while Mesa's worker threads come and go; leaks in our
# own code are caught by the headless runs of the same paths.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
exec "$@"
