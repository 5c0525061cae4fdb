#!/usr/bin/env bash
# Makes a demo card from our own content and starts it under Wine.
#
#   scripts/demo.sh              on $DISPLAY: watch the card, close it yourself
#   scripts/demo.sh --headless   on a private X server: screenshots of the
#                                front, the reveal and the back into
#                                build/demo/screenshots, then Close is clicked
#
# Needs build/win64/kinetta/Kinetta.exe and build/native/tools/cardpack/cardpack
# (`make demo` builds both first). The card runs in its own Wine prefix,
# build/demo/wine, so that stopping the demo never stops a test run's Wine.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PLAYER="$ROOT/build/win64/kinetta/Kinetta.exe"
PACKER="$ROOT/build/native/tools/cardpack/cardpack"
DEMO="$ROOT/build/demo"
CARD="$DEMO/KZ8Demo.exe"
SHOTS="$DEMO/screenshots"
WINE_RUN="$ROOT/scripts/wine-run.sh"
export KZ8_WINE_DIR="${KZ8_WINE_DIR:-$DEMO/wine}"

fail() { echo "demo: $*" >&2; exit 1; }

headless=0
case "${1:-}" in
  --headless) headless=1 ;;
  "") ;;
  *) fail "unknown argument '$1' (usage: demo.sh [--headless])" ;;
esac
[ -n "${DISPLAY:-}" ] || headless=1

[ -f "$PLAYER" ] || fail "no player at $PLAYER (build it: cmake --build --preset win64 --target Kinetta)"
[ -x "$PACKER" ] || fail "no packer at $PACKER (build it: cmake --build --preset native --target cardpack)"

mkdir -p "$DEMO"
"$ROOT/scripts/demo/make-content.sh" "$DEMO/content"
c="$DEMO/content"
"$PACKER" make --player "$PLAYER" --front "$c/front.jpg" --back "$c/back.jpg" \
  --sound "$c/melody.mp3" --video "$c/clip.avi" --video-rect 350,20,200,150 --force -o "$CARD"

if [ "$headless" = 0 ]; then
  echo "demo: starting $CARD on $DISPLAY; close the card to end"
  exec "$WINE_RUN" "$CARD"
fi

# Where things are on the 1024 x 768 virtual desktop. The player's window is
# a maximised pop-up over the whole desktop and centres the 580 x 380 card in
# its client area (card_rect.cpp): left (1024 - 580) / 2 = 222, top
# (768 - 380) / 2 = 194, right 802. The button bar, 115 x 23 as player-art.sh
# draws it, ends 5 pixels above the card at its right edge (button_layout.cpp):
# x 687..802, y 166..189. Its buttons span y 170..186 (4 from the bar's top, 3
# from its bottom) and, after a 3-pixel inset, x 690..707, 708..725, 726..749,
# 750..773 and, after a gap of 10, 783..800: Close is the fifth.
CARD_X=222 CARD_Y=194
CLOSE_X=791 CLOSE_Y=178
# The clip plays at card (350, 20); its inside is compared, away from any frame.
CLIP_AREA="180x128+$((CARD_X + 360))+$((CARD_Y + 30))"
CLIP_PIXELS=$((180 * 128))
# The card's left part, which the clip never covers, tells the pictures apart.
LEFT_AREA="340x380+$CARD_X+$CARD_Y"
SAME=$((340 * 380 / 50))  # under 2% of the pixels off counts as the same

frames="$DEMO/frames"
card_pid="" grab_pid=""
cleanup() {
  local pid
  for pid in $grab_pid $card_pid; do
    if kill -0 "$pid" 2>/dev/null; then kill "$pid" || true; fi
  done
  "$WINE_RUN" --stop-session || true
  rm -rf "$frames"
}
trap cleanup EXIT

# The session gets an X server of its own even when there is a display, so
# that the screenshots show nothing but the card.
(unset DISPLAY; "$WINE_RUN" --start-session)
DISPLAY="$(cat "$KZ8_WINE_DIR/session-display")"
export DISPLAY

rm -rf "$SHOTS" "$frames"
mkdir -p "$SHOTS" "$frames"
for picture in front back; do
  convert "$c/$picture.jpg" -crop "${LEFT_AREA%%+*}+0+0" +repage "$frames/$picture-left.png"
done
convert "$c/front.jpg" -crop "${CLIP_AREA%%+*}+360+30" +repage "$frames/front-clip.png"

now_ms() { date +%s%3N; }
screenshot() { xwd -root -silent | convert xwd:- "png:$1"; }
click() { xdotool mousemove "$1" "$2" sleep 0.3 click 1; }  # resting first lets the button see the mouse
card_alive() { kill -0 "$card_pid" 2>/dev/null; }
log_tail() { sed 's/^/  | /' "$DEMO/card.log" | tail -n 20 >&2; }
# Pixels of AREA in a screenshot that differ from a reference picture; a
# screenshot that cannot be read differs entirely.
differing() {  # differing SCREENSHOT AREA REFERENCE
  local d
  d="$(convert \( "$1" -crop "$2" +repage \) "$3" -fuzz 10% -metric AE -compare \
        -format '%[distortion]' info: 2>/dev/null)" || d=1000000
  awk '{ printf "%d\n", $1 }' <<<"$d"
}

# The clip's frames and the dissolve's passes (a tenth of a second each) pass
# too quickly for single screenshots: record the screen at 200 frames a second, keeping only the frames that
# differ from the one kept before, each named by its time in microseconds. One
# encoder thread, or each kept frame would wait for the next change before
# reaching the disk.
record() {  # record FOLDER
  mkdir -p "$1"
  ffmpeg -loglevel error -f x11grab -draw_mouse 0 -framerate 200 -i "$DISPLAY" \
    -vf "format=gbrp,mpdecimate=hi=64:lo=64:frac=0" -fps_mode vfr -threads 1 \
    -frame_pts true "$1/%010d.png" </dev/null &
  grab_pid=$!
}
stop_recording() {
  kill -INT "$grab_pid"
  wait "$grab_pid" || true  # ffmpeg reports the interruption as a failure
  grab_pid=""
}
frame_ms() { local name; name="$(basename "$1" .png)"; echo $((10#$name / 1000)); }

# Waits until the latest recorded frame shows a picture and nothing has
# changed for STILL milliseconds.
wait_for() {  # wait_for FOLDER PICTURE-LEFT STILL SECONDS WHAT
  local limit=$(($(now_ms) + $4 * 1000)) kept=0 checked=0 changed n latest
  changed=$(now_ms)
  while :; do
    card_alive || { log_tail; fail "the card ended before $5"; }
    kill -0 "$grab_pid" 2>/dev/null || fail "the screen recording stopped"
    [ "$(now_ms)" -lt "$limit" ] || fail "$5 did not come within $4 s"
    n=$(find "$1" -name '*.png' | wc -l)
    [ "$n" = "$kept" ] || { kept=$n; changed=$(now_ms); }
    if [ "$kept" != "$checked" ] && [ $(($(now_ms) - changed)) -ge "$3" ]; then
      checked=$kept
      latest="$(find "$1" -name '*.png' | sort | tail -n 1)"
      [ "$(differing "$latest" "$LEFT_AREA" "$2")" -lt "$SAME" ] && return 0
    fi
    sleep 0.2
  done
}

# Sorts a recording: the front, the clip over it, the dissolve's steps (far
# from both pictures), the back. Each frame stays on screen until the next
# one's time. Sets FRONT_SHOT (the frame a second after the front appeared,
# when the clip should be half-way), CLIP_MS (how long the clip showed) and
# REVEAL (the step farthest from both pictures, if any is far enough).
sort_frames() {  # sort_frames FOLDER
  local recorded=("$1"/*.png) i f d_front d_back score best=0 front_ms=""
  FRONT_SHOT="" CLIP_MS=0 REVEAL=""
  for i in "${!recorded[@]}"; do
    f="${recorded[$i]}"
    d_front=$(differing "$f" "$LEFT_AREA" "$frames/front-left.png")
    if [ "$d_front" -lt "$SAME" ]; then
      [ -n "$front_ms" ] || front_ms=$(frame_ms "$f")
      [ "$(frame_ms "$f")" -gt $((front_ms + 1000)) ] || FRONT_SHOT="$f"
      if [ $((i + 1)) -lt "${#recorded[@]}" ] &&
         [ "$(differing "$f" "$CLIP_AREA" "$frames/front-clip.png")" -gt $((CLIP_PIXELS / 5)) ]; then
        CLIP_MS=$((CLIP_MS + $(frame_ms "${recorded[$((i + 1))]}") - $(frame_ms "$f")))
      fi
      continue
    fi
    [ -n "$front_ms" ] || continue  # the empty desktop, or the front half drawn
    d_back=$(differing "$f" "$LEFT_AREA" "$frames/back-left.png")
    score=$((d_front < d_back ? d_front : d_back))
    if [ "$score" -ge "$SAME" ] && [ "$score" -gt "$best" ]; then REVEAL="$f" best=$score; fi
  done
}

# The sound starts when the clip ends, and the back is dissolved in about
# (whole seconds of the sound + 1) after that; give it 30 s more to start.
sound_s="$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$c/melody.mp3")"
clip_s=2

record "$frames/run"
"$WINE_RUN" "$CARD" </dev/null >"$DEMO/card.log" 2>&1 &
card_pid=$!
echo "demo: card started on $DISPLAY (log: $DEMO/card.log)"
wait_for "$frames/run" "$frames/back-left.png" 1500 $((30 + clip_s + ${sound_s%%.*} + 1)) \
  "the dissolve to the back"
stop_recording
sort_frames "$frames/run"

# Only the card itself can fail the demo (no front, no back, no clean end);
# a screenshot that was hard to catch is worth a note, not a failure.
problems=()
if [ -z "$FRONT_SHOT" ]; then
  problems+=("no recorded frame showed the front")
else
  cp "$FRONT_SHOT" "$SHOTS/1-front.png"
  [ "$CLIP_MS" -ge $((clip_s * 1000 / 2)) ] ||
    echo "demo: note: the clip was seen for only $CLIP_MS ms of its $clip_s s"
fi
if [ -n "$REVEAL" ]; then
  cp "$REVEAL" "$SHOTS/2-reveal.png"
else
  echo "demo: note: no recorded frame caught the dissolve in progress"
fi
screenshot "$SHOTS/3-back.png"

click "$CLOSE_X" "$CLOSE_Y"
closed_ms=$(now_ms)
while card_alive && [ $(($(now_ms) - closed_ms)) -lt 20000 ]; do sleep 0.2; done
if card_alive; then
  screenshot "$SHOTS/4-after-close.png"
  problems+=("the card was still running 20 s after Close was clicked at ($CLOSE_X, $CLOSE_Y); killed")
  kill "$card_pid" || true
else
  status=0
  wait "$card_pid" || status=$?
  card_pid=""
  echo "demo: the card ended after Close (exit status $status)"
  [ "$status" = 0 ] || problems+=("the card ended with exit status $status")
fi

echo "demo: screenshots in $SHOTS"
if [ "${#problems[@]}" -gt 0 ]; then
  printf 'demo: %s\n' "${problems[@]}" >&2
  exit 1
fi
