#!/usr/bin/env bash
# The OpenGL bench of an earlier commit and of this tree, level by level in one run, so their figures
# share the machine's state: bench/before_after.sh [COMMIT] (default: main's parent of this work, HEAD~).
# The earlier commit is built in a worktree of its own under build/before-COMMIT (only its bench).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
rev=$(git -C "$here" rev-parse --short "${1:-HEAD~}")
tree=$here/build/before-$rev
if [ ! -d "$tree" ]; then
  git -C "$here" worktree add --detach "$tree" "$rev" > /dev/null
fi
cmake -S "$tree" -B "$tree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$tree/build" -j "$(nproc)" --target quivex-bench > /dev/null
cmake --build "$here/build" -j "$(nproc)" --target quivex-bench > /dev/null
run() { bash "$here/bench/run_gl.sh" "$@" 2>&1 | grep -E "^OpenGL|frames/s|main thread"; }
for level in 1 2 3 4; do
  echo "== level $level, before ($rev)"
  run "$tree/build/bench/quivex-bench" gl --level "$level" --dir "$tree/build/bench/run"
  for way in full light; do
    echo "== level $level, now, $way"
    QUIVEX_EFFECTS=$way run "$here/build/bench/quivex-bench" gl --level "$level" --dir "$here/build/bench/run/gl"
  done
done
