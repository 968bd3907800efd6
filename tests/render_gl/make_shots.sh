#!/usr/bin/env bash
# Draws every render-test picture with the real OpenGL renderer, under Xvfb when there is no display.
set -euo pipefail
build=$1
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# LeakSanitizer's stop-the-world tracer can crash while Mesa's worker threads come and go; leaks in our
# own code are caught by the headless runs of the same paths.
# apitrace's tracer is preloaded ahead of the sanitizer's runtime, which it would otherwise refuse.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:verify_asan_link_order=0"
# Every picture is the full one unless a run asks for another: auto would draw light on this software
# rasteriser.
sim() { "$build/quivex-sim" --effects full "$@"; }
out=$build/shots
rm -rf "$out" && mkdir -p "$out"
"$build/quivex-render-scenes" "$out"
sim --gl --frames 5 --dir "$out/sim" --shot w64:"$out/studio_logo_64.png" \
  --shot w200:"$out/studio_logo_200.png" --shot 4:"$out/menu_background.png" > /dev/null

# Full screen on this 1280 x 1024 desktop at two resolutions, and a window resized by its edge: what
# the window shows, and the game's own picture.
desk=$out/desktop
for r in 800x600 1600x1200; do
  sim --gl --fullscreen --resolution $r --frames 130 --dir "$desk/$r" \
    --window-shot 125:"$out/fullscreen_${r%x*}.png" --shot 125:"$out/fullscreen_${r%x*}_own.png" > /dev/null
done
sim --gl --frames 130 --dir "$desk/resized" --resize 2:1000x500 \
  --window-shot 125:"$out/window_1000x500.png" --shot 125:"$out/window_1000x500_own.png" > /dev/null

# The front end: menu pages driven by taps (one every 4 frames from frame 2), the HUD in each orientation,
# a level title tumbling in and the boss warning.
taps() { f=2; for c in "$@"; do echo "$f +$c"; echo "$((f + 2)) -$c"; f=$((f + 4)); done; }
front=$out/front && mkdir -p "$front"
taps > "$front/none.keys"
taps 208 208 208 28 > "$front/options.keys"
taps 208 208 208 28 205 > "$front/options_horiz.keys"
taps 208 208 208 28 205 205 > "$front/options_tate.keys"
taps 208 208 208 28 208 208 208 208 28 208 208 208 208 45 > "$front/redefine.keys"
taps 208 208 208 28 208 208 208 208 208 28 > "$front/credits.keys"
for page in none options options_horiz options_tate redefine credits; do
  name=$page && [ "$page" = none ] && name=main
  sim --gl --frames 130 --dir "$front/$page" --keys "$front/$page.keys" \
    --shot 125:"$out/menu_$name.png" > /dev/null
done
# The records page in each orientation, a record of most kinds set and two of their replays there, the
# cursor on level 1's row; a boss practice and a level practice setting a record.
taps 208 208 208 208 208 28 208 > "$front/records.keys"
for o in 0 1 2; do
  d=$front/records$o && mkdir -p "$d/replays"
  echo "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 $o 0 0 0 0 0 0 0 0 0 0 0 100 100" > "$d/quivex.cfg"
  printf 'full_level = 3\nlevel_1_collected = 55\nlevel_1_held = 41\nlevel_3_collected = 97\nlevel_3_held = 12\nboss_2_frames = 2417\nboss_2_30hz = 1\nboss_4_frames = 5120\nrush_frames = 21044\n' > "$d/records.cfg"
  touch "$d/replays/level-1.qxr" "$d/replays/boss-2.qxr"
  sim --gl --frames 130 --dir "$d" --keys "$front/records.keys" --shot 125:"$out/records_$o.png" > /dev/null
done
sim --gl --frames 8000 --dir "$front/boss_record" --start boss 1 --bot --immortal --shot report+60:"$out/boss_record.png" > /dev/null
sim --gl --frames 20000 --dir "$front/level_record" --start level 1 --bot --immortal \
  --shot report+200:"$out/level_record.png" > /dev/null
for o in 0 1 2; do
  mkdir -p "$front/hud$o"
  echo "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 $o 0 0 0 0 0 0 0 0 0 0 0 100 100" \
    > "$front/hud$o/quivex.cfg"
  sim --gl --frames 430 --dir "$front/hud$o" --start full --bot --immortal \
    --shot 60:"$out/level_title_$o.png" --shot 420:"$out/hud_$o.png" > /dev/null
done
# The replay viewer's HUD in each orientation: a level left by Escape, watched from the replays page,
# then paused, and sped up to 4x.
for o in 0 1 2; do
  for way in paused fast; do
    v=$front/viewer$o-$way && mkdir -p "$v"
    cp "$front/hud$o/quivex.cfg" "$v/"
    printf '1500 +1\n1502 -1\n' > "$v/leave.keys"
    sim --frames 1520 --dir "$v" --start level 1 --bot --keys "$v/leave.keys" > /dev/null
    taps 208 208 208 208 28 28 > "$v/watch.keys"
    if [ $way = paused ]; then printf '400 +197\n402 -197\n'; else printf '300 +200\n302 -200\n306 +200\n308 -200\n'; fi >> "$v/watch.keys"
    sim --gl --frames 440 --dir "$v" --keys "$v/watch.keys" --shot 430:"$out/viewer_${way}_$o.png" > /dev/null
  done
done
sim --gl --frames 50 --dir "$front/warning" --start boss 2 --shot 45:"$out/boss_warning.png" > /dev/null
# Each boss mid-attack, and a level played by the autopilot.
for l in 1 2 3 4; do
  sim --gl --frames 1300 --dir "$out/boss$l" --start boss $l --bot --immortal \
    --shot 1250:"$out/boss_${l}_attack.png" > /dev/null
done
sim --gallery "$out/model_gallery.png" --dir "$out/gallery" > /dev/null
# The mission report of a full game with its unlock message, and the rating after level 4.
sim --gl --frames 16000 --dir "$out/report" --start full --bot --immortal \
  --shot report+120:"$out/mission_report.png" --shot report+20:"$out/mission_report_count.png" > /dev/null
sim --gl --frames 32000 --dir "$out/rating" --start level 4 --bot --immortal \
  --shot rating+300:"$out/rating.png" > /dev/null

# The same frames drawn the way the renderer was first written (every batch twice, each wave band on its
# own), for the test that both ways give the same picture: the menu, each level in play (level 1 also as
# its lines fly out at the start), a boss mid-attack and the mission report.
classic=$out/classic && mkdir -p "$classic"
sim --gl --classic-drawing --frames 130 --dir "$classic/menu" --keys "$front/none.keys" \
  --shot 125:"$out/classic_menu_main.png" > /dev/null
sim --gl --classic-drawing --frames 1300 --dir "$classic/boss2" --start boss 2 --bot --immortal \
  --shot 1250:"$out/classic_boss_2_attack.png" > /dev/null
sim --gl --classic-drawing --frames 16000 --dir "$classic/report" --start full --bot --immortal \
  --shot report+120:"$out/classic_mission_report.png" --shot report+20:"$classic/report/count.png" > /dev/null
for l in 1 2 3 4; do
  for way in "" --classic-drawing; do
    name=play_$l${way:+_classic}
    sim --gl $way --frames 700 --dir "$out/play/$name" --start level $l --bot --immortal \
      --shot 100:"$out/${name}_start.png" --shot 650:"$out/$name.png" > /dev/null
  done
done

# The light picture of the same frames, and a level in each orientation both ways, for the test that
# the light picture stays close to the full one.
light=$out/light && mkdir -p "$light"
sim --gl --effects light --frames 130 --dir "$light/menu" --keys "$front/none.keys" \
  --shot 125:"$out/light_menu_main.png" > /dev/null
sim --gl --effects light --frames 1300 --dir "$light/boss2" --start boss 2 --bot --immortal \
  --shot 1250:"$out/light_boss_2_attack.png" > /dev/null
sim --gl --effects light --frames 16000 --dir "$light/report" --start full --bot --immortal \
  --shot report+120:"$out/light_mission_report.png" --shot report+20:"$light/report/count.png" > /dev/null
for l in 1 2 3 4; do
  sim --gl --effects light --frames 700 --dir "$light/play$l" --start level $l --bot --immortal \
    --shot 100:"$out/light_play_${l}_start.png" --shot 650:"$out/light_play_$l.png" > /dev/null
done
for o in horizontal tate; do
  for way in full light; do
    sim --gl --effects $way --orientation $o --frames 700 --dir "$light/$o-$way" --start level 3 --bot --immortal \
      --shot 650:"$out/${way}_play_3_$o.png" > /dev/null
  done
done
# Fast-forward on (F2): 31 frames drawn over one another between presents, the glow layer with them.
printf '5 +60\n8 -60\n' > "$light/fast.keys"
for way in full light; do
  sim --gl --effects $way --frames 700 --dir "$light/fast-$way" --keys "$light/fast.keys" --start level 1 --bot \
    --immortal --shot 650:"$out/${way}_fast_forward.png" > /dev/null
done

# Native: the menu, a level in play and a boss drawn straight at 2560 x 1920 (full screen on a screen that
# size) and at 640 x 480, for the test that the picture looks the same at any size.
native=$out/native && mkdir -p "$native"
for way in small native; do
  size="--resolution 640x480" && [ $way = native ] && size="--fullscreen --resolution native"
  runs="sim --gl $size --frames 130 --dir $native/menu-$way --keys $front/none.keys --shot 125:$out/${way}_menu_main.png
sim --gl $size --frames 700 --dir $native/play-$way --start level 2 --bot --immortal --shot 650:$out/${way}_play_2.png
sim --gl $size --frames 1300 --dir $native/boss-$way --start boss 3 --bot --immortal --shot 1250:$out/${way}_boss_3_attack.png"
  if [ $way = native ]; then
    xvfb-run -a -s "-screen 0 2560x1920x24" bash -c "$(declare -f sim); build=$build; $runs" > /dev/null
  else
    eval "$runs" > /dev/null
  fi
done

# Smoothing at 4x samples on the same frame as play_2.png.
sim --gl --smoothing 4x --frames 700 --dir "$native/smooth" --start level 2 --bot --immortal \
  --shot 650:"$out/smooth_play_2.png" > /dev/null

# A window resized three times while drawing natively, every frame shot, its GL calls traced: each frame
# must be drawn at the window's new size, straight into it.
resized=$native/resized && mkdir -p "$resized"
shots=() && for f in $(seq 6 35); do shots+=(--window-shot "$f:$resized/frame_$f.png"); done
apitrace trace -o "$resized/calls.trace" "$build/quivex-sim" --effects full --gl --resolution native --frames 36 \
  --dir "$resized" --start level 1 --bot --immortal --resize 10:1000x700 --resize 20:600x900 --resize 30:1200x900 \
  "${shots[@]}" > /dev/null 2>&1
apitrace dump "$resized/calls.trace" | grep -oE "(glViewport|glBlitFramebuffer|glRenderbufferStorage[A-Za-z]*|glReadPixels)\(.*" \
  > "$out/native_resized_calls.txt"
