#!/usr/bin/env bash
# Runs the launcher smoke test, under Xvfb when there is no display.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
exec "$@"
