#!/usr/bin/env bash
# Runs a command that needs a display, under Xvfb when there is none.
set -euo pipefail
# With no sound card the mixer would fail to open and the game would run silent; SDL's dummy driver
# keeps the mixing (and its CPU use) in the figures.
if [ -z "${SDL_AUDIODRIVER:-}" ] && [ ! -e /dev/snd ]; then
  export SDL_AUDIODRIVER=dummy
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 ${QUIVEX_SCREEN:-1280x1024}x24" "$@"
fi
exec "$@"
