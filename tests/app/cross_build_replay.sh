#!/usr/bin/env bash
# A replay recorded by one build plays back to the same state in another (the sanitizer build and the
# normal one): the game does the same arithmetic however it was compiled.
# Usage: cross_build_replay.sh <this build's quivex-sim> <the other build's quivex-sim>
set -euo pipefail
here=$1 other=$2
if [ ! -x "$other" ]; then
  echo "skipped: no other build at $other (make test builds it first)"
  exit 0
fi
dir=$(mktemp -d /tmp/quivex-cross-XXXXXX)
trap 'rm -rf "$dir"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
"$here" --dir "$dir/a" --start boss 3 --bot --immortal --frames 2500 --record "$dir/a.qxr" > /dev/null
"$other" --dir "$dir/b" --start level 2 --bot --frames 2500 --record "$dir/b.qxr" > /dev/null
"$other" --dir "$dir/c" --replay "$dir/a.qxr" > /dev/null
"$here" --dir "$dir/d" --replay "$dir/b.qxr" > /dev/null
echo "each build plays the other's replay to the state it was recorded in"
