#!/usr/bin/env bash
# The CPU quiv-ex uses while played, beside three other vector-style shoot-'em-ups packaged in Debian:
# each in turn on one display, in a 640x480 window, put into play with key presses, fire held and the
# ship steered, and the CPU of its whole process (every thread) taken from /proc over 15 s of play.
# A screenshot every few seconds tells whether the program is in play (lit or dark places of its
# screen that only play shows); only the stretches between two shots in play count, and a game found
# over is started again. Installs what it needs from Debian's packages (the three games: rrootage,
# torus-trooper, parsec47).
# Usage: side_by_side.sh [QUIVEX_BIN] [OUT_DIR]
#   QUIVEX_BIN  the game to run (default: $QUIVEX_BIN, else build/quivex)
#   OUT_DIR     where each program's output, its screenshots (named in play or not, and side by side in
#               shots.png), the stretches counted and the table are kept (default: a new folder under /tmp)
# SBS_SECONDS changes the time in play measured, SBS_SHOT_EVERY the seconds between shots. Under the
# caller's DISPLAY if there is one, else a private Xvfb.
set -uo pipefail  # no -e: one program failing must not stop the others

QUIVEX=${1:-${QUIVEX_BIN:-build/quivex}}
OUT=${2:-}
SECONDS_MEASURED=${SBS_SECONDS:-15}
SHOT_EVERY=${SBS_SHOT_EVERY:-3}
# Play found over and started again too often to gather the time: the program gives up after this long.
SECONDS_LIMIT=$((SECONDS_MEASURED * 4 + 30))
WINDOW_TIMEOUT=60

say() { echo "side_by_side: $*" >&2; }
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; elif command -v sudo >/dev/null; then sudo "$@"; else return 1; fi; }
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# --- what the run needs, from Debian's packages
GAME_PACKAGES=(rrootage torus-trooper parsec47)
# imagemagick's import takes the screenshots that tell play from the rest, and montage lays them out.
wanted=(xdotool imagemagick "${GAME_PACKAGES[@]}")
[ -z "${DISPLAY:-}" ] && wanted+=(xvfb)
missing=()
for p in "${wanted[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  say "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt_install() { as_root apt-get install -y -q --no-install-recommends "$@" >/dev/null; }
  if ! apt_install "${missing[@]}"; then
    # A stale package list, or one package that cannot be had: refresh, then take each on its own.
    as_root apt-get update -q >/dev/null 2>&1 || true
    for p in "${missing[@]}"; do apt_install "$p" || say "could not install $p"; done
  fi
fi
command -v xdotool >/dev/null || { say "xdotool is missing and could not be installed"; exit 1; }

if [ -z "$OUT" ]; then OUT=$(mktemp -d /tmp/side-by-side-XXXXXX); fi
mkdir -p "$OUT" && OUT=$(cd "$OUT" && pwd)
if [ -e "$QUIVEX" ]; then QUIVEX=$(readlink -f "$QUIVEX"); fi
CLK_TCK=$(getconf CLK_TCK)
XVFB_PID=

# --- everything started is ended on the way out, held keys released first
STARTED=()
HELD_KEYS=()
cleanup() {
  # A child killed before it has run its command still holds these traps: it only leaves.
  [ "$BASHPID" = "$$" ] || return
  local k p
  for k in "${HELD_KEYS[@]}"; do xdotool keyup "$k" 2>/dev/null; done
  for p in "${STARTED[@]}"; do kill "$p" 2>/dev/null; done
  sleep 0.5
  for p in "${STARTED[@]}"; do kill -9 "$p" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { say "no DISPLAY and Xvfb could not be installed"; exit 1; }
  # Xvfb picks a free display and names it on the pipe once it accepts clients. Without -noreset it
  # resets whenever its last client leaves, and drops whoever connects meanwhile: SDL 1.2 opens the
  # display, closes it and opens it again at start.
  fifo=$OUT/.xvfb-display
  rm -f "$fifo" && mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >"$OUT/xvfb.log" 2>&1 &
  XVFB_PID=$!
  STARTED+=("$XVFB_PID")
  read -r -t 30 display_number <"$fifo" || true
  rm -f "$fifo"
  [ -n "${display_number:-}" ] || { say "Xvfb did not start:"; tail -n 5 "$OUT/xvfb.log" >&2; exit 1; }
  export DISPLAY=:$display_number
fi

alive() { local s; s=$(cat "/proc/$1/stat" 2>/dev/null) || return 1; s=${s##*) }; [ "${s%% *}" != Z ]; }
# utime and stime: fields 14 and 15, counted from the state after the command's closing parenthesis.
cpu_ticks() { local s f; s=$(cat "/proc/$1/stat" 2>/dev/null) || return 1; read -r -a f <<<"${s##*) }"; echo $((f[11] + f[12])); }
tap() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; }
now_us() { echo "${EPOCHREALTIME/./}"; }

# The share of region $2 (WxH+X+Y) of picture $1 brighter than $3 (a percentage), 0 to 1.
lit() { convert "$1" -crop "$2" +repage -colorspace gray -threshold "$3" -format '%[fx:mean]' info: 2>/dev/null; }

# Whether shot $1 shows play: every marker in $2 holds. A marker is REGION:BRIGHTNESS>SHARE (a place
# that play lights, such as its lives or score) or REGION:BRIGHTNESS<SHARE (a place that play leaves
# dark, such as where "GAME OVER" is written).
in_play() {
  local marker region rest op got
  for marker in $2; do
    region=${marker%%:*} rest=${marker#*:}
    if [[ $rest == *'>'* ]]; then op='>'; else op='<'; fi
    got=$(lit "$1" "$region" "${rest%%[<>]*}")
    [ -n "$got" ] || return 1
    awk -v got="$got" -v share="${rest#*[<>]}" -v op="$op" \
      'BEGIN { exit !(op == ">" ? got + 0 > share + 0 : got + 0 < share + 0) }' || return 1
  done
}

# For $1 s, steers left and right in turn, a second each way: a ship left still is soon shot down, and
# a game over would be measured instead of play.
sweep() {
  local end=$(($(now_us) + $1 * 1000000)) left key=Right
  while left=$((end - $(now_us))); [ "$left" -gt 0 ]; do
    if [ "$key" = Left ]; then key=Right; else key=Left; fi
    xdotool keydown "$key"
    HELD_KEYS+=("$key")
    [ "$left" -gt 1000000 ] && left=1000000
    sleep "$((left / 1000000)).$(printf '%06d' $((left % 1000000)))"
    xdotool keyup "$key"
    unset 'HELD_KEYS[-1]'
  done
}

# Waits up to $2 s for child $1 to end; its exit status is then in EXIT_STATUS.
EXIT_STATUS=
wait_exit() {
  local timer who='' rc
  [ -n "$EXIT_STATUS" ] && return 0
  sleep "$2" & timer=$!
  wait -n -p who "$1" "$timer" 2>/dev/null; rc=$?
  if [ "$who" = "$1" ]; then
    # SIGKILL: a child not yet turned into sleep would run this script's traps on SIGTERM.
    kill -9 "$timer" 2>/dev/null; wait "$timer" 2>/dev/null
    EXIT_STATUS=$rc
    return 0
  fi
  return 1
}

ROWS=()
row() { ROWS+=("$(printf '%s\t' "$@")"); }

# Starts the command in $dir and waits for its window; sets PID and WINDOW, or says why not.
start_with_window() {
  local window_re=$1 finder who='' rc
  shift
  # A scratch home and working folder, so nobody's saved settings or scores are read or changed.
  (cd "$dir" && exec env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$dir/home" \
    "$@" >"$dir/output.txt" 2>&1) &
  PID=$!
  STARTED+=("$PID")
  EXIT_STATUS=
  timeout "$WINDOW_TIMEOUT" xdotool search --sync --onlyvisible --name "$window_re" >"$dir/window" 2>/dev/null &
  finder=$!
  STARTED+=("$finder")
  wait -n -p who "$PID" "$finder" 2>/dev/null
  rc=$?
  if [ "$who" = "$PID" ]; then
    EXIT_STATUS=$rc
    kill "$finder" 2>/dev/null
    WHY="exited (status $EXIT_STATUS) before its window appeared"
    return 1
  fi
  WINDOW=$(head -n 1 "$dir/window")
  if [ -z "$WINDOW" ]; then
    WHY="no window within $WINDOW_TIMEOUT s"
    kill "$PID" 2>/dev/null; wait_exit "$PID" 5 || kill -9 "$PID" 2>/dev/null
    return 1
  fi
}

# Taps the start key $2 times, twice a second, fire ($3) let go meanwhile: a game ignores it until it
# takes input (none of them says when that is), and each ignores it in play.
start_game() {
  local i
  xdotool keyup "$3"
  HELD_KEYS=()
  for ((i = 0; i < $2; ++i)); do
    tap "$1"
    sleep 0.35
  done
  xdotool keydown "$3"
  HELD_KEYS=("$3")
}

# run_one NAME PACKAGE WINDOW_REGEX START_KEY START_TAPS FIRE_KEY NOTE MARKERS -- [VAR=VALUE]... COMMAND...
# The game is started with the start key, then fire is held and the ship steered from side to side
# between screenshots. A stretch between two shots that both show play (MARKERS, see in_play, for a
# 640x480 window) counts; a shot that does not starts the game again. Measured until SECONDS_MEASURED
# of play are counted, or SECONDS_LIMIT have gone by.
run_one() {
  local name=$1 pkg=$2 window_re=$3 start_key=$4 start_taps=$5 fire_key=$6 note=$7 markers=$8
  shift 9
  local dir=$OUT/$name version program i cpu xcpu=- threads geometry size ended
  local k=0 play prev_play=0 t c x=0 prev_t=0 prev_c=0 prev_x=0 counted_us=0 ticks=0 xticks=0 overs=0 limit shot
  rm -rf "$dir" && mkdir -p "$dir/home"
  if [ "$pkg" = - ]; then version="local build"; else version=$(dpkg-query -W -f='${Version}' "$pkg" 2>/dev/null) || version=-; fi
  fail() {
    say "$name: $*"
    if [ -s "$dir/output.txt" ]; then tail -n 8 "$dir/output.txt" | sed 's/^/    /' >&2; fi
    row "$name" "$pkg" "$version" - - failed - - "$*"
  }
  for program in "$@"; do [[ $program == *=* ]] || break; done
  if ! command -v "$program" >/dev/null; then fail "$program is not installed"; return; fi

  say "$name: starting"
  start_with_window "$window_re" "$@" || { fail "$WHY"; return; }
  xdotool windowfocus "$WINDOW"
  geometry=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: *//p')
  size=${geometry:-?}
  if [ "$size" != 640x480 ]; then
    fail "a $size window: its shots cannot tell play from the rest"
    kill "$PID" 2>/dev/null; wait_exit "$PID" 5 || kill -9 "$PID" 2>/dev/null
    return
  fi

  : >"$dir/stretches.txt"
  rm -f "$dir"/shot-*.png
  limit=$(($(now_us) + SECONDS_LIMIT * 1000000))
  start_game "$start_key" "$start_taps" "$fire_key"
  while alive "$PID"; do
    t=$(now_us)
    c=$(cpu_ticks "$PID") || break
    # The X server's share (taking each frame's picture) is not the program's: shown apart.
    [ -n "$XVFB_PID" ] && x=$(cpu_ticks "$XVFB_PID")
    k=$((k + 1))
    shot=$(printf '%s/shot-%02d' "$dir" "$k")
    import -window "$WINDOW" "$shot.png" 2>/dev/null
    if in_play "$shot.png" "$markers"; then play=1; else play=0; fi
    mv "$shot.png" "$shot-$([ $play = 1 ] && echo in-play || echo not-in-play).png" 2>/dev/null
    if [ "$k" -gt 1 ]; then
      if [ "$prev_play$play" = 11 ]; then
        counted_us=$((counted_us + t - prev_t)) ticks=$((ticks + c - prev_c)) xticks=$((xticks + x - prev_x))
        echo "shots $((k - 1)) to $k: in play, $(((t - prev_t) / 1000)) ms counted, $((c - prev_c)) ticks" >>"$dir/stretches.txt"
      else
        echo "shots $((k - 1)) to $k: not counted" >>"$dir/stretches.txt"
      fi
    fi
    [ "$prev_play$play" = 10 ] && overs=$((overs + 1))
    prev_t=$t prev_c=$c prev_x=$x prev_play=$play
    [ "$counted_us" -ge $((SECONDS_MEASURED * 1000000)) ] || [ "$(now_us)" -ge "$limit" ] && break
    if [ "$play" = 1 ]; then sweep "$SHOT_EVERY"; else start_game "$start_key" "$start_taps" "$fire_key"; fi
  done
  xdotool keyup "$fire_key"
  HELD_KEYS=()
  # Every shot side by side, framed green where it showed play and red where it did not.
  for shot in "$dir"/shot-*.png; do
    convert "$shot" -bordercolor "$([[ $shot == *-not-in-play.png ]] && echo red || echo lime)" -border 8 "$dir/framed.png"
    mv "$dir/framed.png" "${shot%.png}.framed"
  done
  montage "$dir"/shot-*.framed -tile 6x -geometry 320x240+4+4 "png:$dir/shots.png" 2>/dev/null
  rm -f "$dir"/shot-*.framed
  if ! alive "$PID"; then
    wait_exit "$PID" 1
    fail "ended (status $EXIT_STATUS) while measured"
    return
  fi
  if [ "$counted_us" = 0 ]; then
    fail "never in play in two shots running (see $dir/shots.png)"
    kill "$PID" 2>/dev/null; wait_exit "$PID" 5 || kill -9 "$PID" 2>/dev/null
    return
  fi
  threads=$(find "/proc/$PID/task" -mindepth 1 -maxdepth 1 | wc -l)
  percent() { awk -v c="$1" -v hz="$CLK_TCK" -v us="$counted_us" 'BEGIN { printf "%.1f", 100 * c / hz / (us / 1e6) }'; }
  cpu=$(percent "$ticks")
  [ -n "$XVFB_PID" ] && xcpu=$(percent "$xticks")
  played=$(awk -v us="$counted_us" 'BEGIN { printf "%.1f", us / 1e6 }')

  # Escape leaves play, and a second one quits; if they are not heeded, SIGTERM.
  ended="quit with Escape"
  for ((i = 0; i < 4; ++i)); do
    tap Escape
    wait_exit "$PID" 1 && break
  done
  if [ -z "$EXIT_STATUS" ]; then
    ended="ended with SIGTERM"
    kill "$PID" 2>/dev/null
    wait_exit "$PID" 5 || { kill -9 "$PID" 2>/dev/null; wait_exit "$PID" 5; ended="killed"; }
  fi
  say "$name: $cpu % of a core over $played s in play ($k shots, out of play $overs times), $ended"
  row "$name" "$pkg" "$version" "$size" "$played s" "$cpu" "$xcpu" "$threads" "$note; out of play $overs times; $ended"
}

# SDL's dummy driver keeps sound mixing in the figures where there is no sound card (as run_gl.sh does);
# SDL 1.2, under the other three, has one too, so they mix as well.
if [ -z "${SDL_AUDIODRIVER:-}" ] && [ ! -e /dev/snd ]; then
  export SDL_AUDIODRIVER=dummy
fi
audio=${SDL_AUDIODRIVER:+SDL $SDL_AUDIODRIVER audio}
audio=${audio:-sound device}

# Where each program shows play, in its 640x480 window (see in_play): quiv-ex its score at the top left
# and no "GAME OVER"; rRootage and PARSEC47 the score and lives at the right, which neither the title
# nor game over shows; Torus Trooper its "LEVEL" at the bottom left and no "GAME OVER".
# quiv-ex shows its studio logo for 200 frames before the menu takes keys; Return on "start game".
if [ -x "$QUIVEX" ]; then
  run_one quiv-ex - '^quiv-ex$' Return 12 x "--resolution 640x480; $audio" \
    '80x30+40+5:50%>0.2 130x18+255+237:95%<0.1' -- \
    "$QUIVEX" --no-launcher --windowed --resolution 640x480
else
  say "quiv-ex: no game at $QUIVEX"
  row quiv-ex - - - - failed - - "no executable at $QUIVEX"
fi
# The others start on a title screen where the shot key (Z) starts the first stage, and fire with Z.
# SDL 1.2 falls back to drawing in the terminal when it cannot reach the X server: it is kept to X.
sdl1=SDL_VIDEODRIVER=x11
run_one rRootage rrootage '^rRootage$' z 8 z "-mediumres (sizes are fixed); $audio" \
  '110x180+490+260:30%>0.1' -- \
  $sdl1 /usr/games/rrootage -window -mediumres
run_one "Torus Trooper" torus-trooper '^Torus Trooper$' z 8 z "-res 640 480; $audio" \
  '80x22+14+404:70%>0.05 560x60+40+140:85%<0.015' -- \
  $sdl1 /usr/games/torus-trooper -window -res 640 480
run_one PARSEC47 parsec47 '^PARSEC47$' z 8 z "its only window size; $audio" \
  '150x240+480+230:30%>0.05' -- \
  $sdl1 /usr/games/parsec47 -window

{
  echo "CPU while in play, % of one core: the whole process (all threads), and the X server, over the stretches"
  echo "between two screenshots ${SHOT_EVERY} s apart that both show play, until ${SECONDS_MEASURED} s are counted"
  if [ -n "$XVFB_PID" ]; then where="a private Xvfb, 1280x1024x24"; else where="display $DISPLAY"; fi
  echo "($(nproc) cores; $where; fire held throughout, the ship steered left and right a second each way)"
  printf '%s\n' "program	package	version	window	in play	CPU %	X server %	threads	notes" "${ROWS[@]}" | awk -F '\t' '
    { for (i = 1; i <= NF; ++i) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR; if (NF > nf) nf = NF }
    END { for (r = 1; r <= n; ++r) { line = ""; for (i = 1; i <= nf; ++i) line = line sprintf("%-" w[i] + 2 "s", cell[r, i]); sub(/ +$/, "", line); print line } }'
} | tee "$OUT/table.txt"
say "output, screenshots (each program's shots.png), stretches counted and the table: $OUT"
