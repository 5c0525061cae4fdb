#!/usr/bin/env bash
# Draws the demo card's content into OUTDIR: front.jpg and back.jpg (580 x 380,
# the card's size), melody.mp3 and clip.avi. Everything is drawn or
# synthesised here, so a run on the same tool versions gives the same bytes.
set -euo pipefail
out="${1:?usage: make-content.sh OUTDIR}"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The first of the wanted fonts that ImageMagick knows, else its default.
fonts="$(convert -list font | sed -n 's/^ *Font: //p')"
font_args() {  # font_args NAME... -> sets FONT to "-font NAME" or nothing
  FONT=()
  local f
  for f in "$@"; do
    if grep -qx -- "$f" <<<"$fonts"; then FONT=(-font "$f"); return; fi
  done
}

# A five-pointed star as a polygon, centred on (cx, cy) with outer radius r.
star() {
  awk -v cx="$1" -v cy="$2" -v r="$3" 'BEGIN {
    pi = atan2(0, -1); printf "polygon"
    for (i = 0; i < 10; i++) {
      rad = (i % 2) ? r * 0.42 : r; a = -pi / 2 + i * pi / 5
      printf " %.1f,%.1f", cx + rad * cos(a), cy + rad * sin(a)
    }
    print ""
  }'
}

# A snowflake: three crossing strokes with small ticks near each end.
flake() {
  awk -v cx="$1" -v cy="$2" -v r="$3" 'BEGIN {
    pi = atan2(0, -1)
    for (i = 0; i < 6; i++) {
      a = i * pi / 3
      x = cx + r * cos(a); y = cy + r * sin(a)
      printf "line %.1f,%.1f %.1f,%.1f ", cx, cy, x, y
      mx = cx + 0.6 * r * cos(a); my = cy + 0.6 * r * sin(a)
      for (s = -1; s <= 1; s += 2) {
        b = a + s * pi / 4
        printf "line %.1f,%.1f %.1f,%.1f ", mx, my, mx + 0.3 * r * cos(b), my + 0.3 * r * sin(b)
      }
    }
    print ""
  }'
}

GOLD='#F6C453'; CREAM='#FFF4DC'; WINE='#6E0F1E'; INK='#3A2A1A'; PINE='#1F6B3A'

# Front: a warm gradient, stars and snowflakes around the spot where the clip
# plays (card x 350..550, y 20..170), and the greeting across the bottom.
font_args DejaVu-Serif-Bold Nimbus-Roman-Bold Times-Bold
title_font=("${FONT[@]}")
font_args DejaVu-Serif-Italic Nimbus-Roman-Italic Times-Italic
italic_font=("${FONT[@]}")
convert -size 380x580 "gradient:#8E1B2A-#F08A3C" -rotate -90 \
  -fill "$WINE" -stroke "$GOLD" -strokewidth 3 -draw "roundrectangle 343,13 557,177 8,8" \
  -stroke none -fill "$GOLD" \
  -draw "$(star 60 55 26)" -draw "$(star 150 95 14)" -draw "$(star 245 45 18)" \
  -draw "$(star 300 140 10)" -draw "$(star 40 150 11)" \
  -fill none -stroke "$CREAM" -strokewidth 2 \
  -draw "$(flake 110 40 16)" -draw "$(flake 215 120 20)" -draw "$(flake 90 160 12)" \
  -draw "$(flake 300 205 12)" -draw "$(flake 35 205 10)" \
  -stroke none "${title_font[@]}" -pointsize 50 \
  -fill '#00000066' -annotate +33+293 "Season's Greetings" \
  -fill "$CREAM" -annotate +30+290 "Season's Greetings" \
  "${italic_font[@]}" -pointsize 22 -fill "$GOLD" -annotate +34+335 "and a happy new year" \
  -strip -quality 92 "$out/front.jpg"

# Back: the message on the left, a small fir tree in the snow on the right.
font_args DejaVu-Serif Nimbus-Roman-Regular Times-Roman
body_font=("${FONT[@]}")
message="May your days be merry and bright,
your home full of light,
and the new year kind to you.

With warm wishes,"
tree="polygon 470,70 420,150 520,150
      polygon 470,110 405,210 535,210
      polygon 470,160 390,270 550,270"
convert -size 580x380 "xc:$CREAM" \
  -fill white -draw "ellipse 470,318 95,26 0,360" \
  -fill '#6B4226' -draw "rectangle 460,268 480,310" \
  -fill "$PINE" -draw "$tree" \
  -fill "$GOLD" -draw "$(star 470 62 16)" \
  -fill '#C62828' -draw "circle 450,140 450,145 circle 495,190 495,195 circle 430,240 430,245" \
  -fill "$GOLD" -draw "circle 485,130 485,134 circle 445,200 445,204 circle 505,250 505,254" \
  -fill none -stroke "$WINE" -strokewidth 4 -draw "rectangle 8,8 571,371" -stroke none \
  -fill "$INK" "${italic_font[@]}" -pointsize 28 -annotate +40+70 "Dear friend," \
  "${body_font[@]}" -pointsize 19 -interline-spacing 6 -annotate +40+120 "$message" \
  "${italic_font[@]}" -pointsize 22 -fill "$WINE" -annotate +40+300 "— the KZ8 team" \
  -strip -quality 92 "$out/back.jpg"

# Melody: the refrain of Jingle Bells in plucked notes, one beat = 0.32 s,
# ending on a long C with a gentle fade; -R keeps sox from dithering at random.
notes="E5:1 E5:1 E5:2 E5:1 E5:1 E5:2 E5:1 G5:1 C5:1.5 D5:0.5 E5:4
       F5:1 F5:1 F5:1.5 F5:0.5 F5:1 E5:1 E5:1 E5:0.5 E5:0.5 G5:1 G5:1 F5:1 D5:1 C5:4"
parts=()
i=0
for n in $notes; do
  i=$((i + 1))
  f="$work/note$(printf %02d "$i").wav"
  sox -R -n -r 44100 -b 16 -c 2 "$f" synth "$(awk -v b="${n#*:}" 'BEGIN { print b * 0.32 }')" \
    pluck "${n%:*}"
  parts+=("$f")
done
sox -R "${parts[@]}" "$work/melody.wav" gain -n -3 pad 0 0.4 fade t 0.02 -0 1.2
lame --quiet -b 128 -m s --resample 44.1 "$work/melody.wav" "$out/melody.mp3"

# Clip: drifting colours with a greeting scrolling across, no sound track.
# MS Video 1, the codec Wine's Video for Windows plays, wants 15-bit RGB and
# sides in whole 4 x 4 blocks, hence 148 rows inside the card's 200 x 150 spot.
filter="gradients=s=200x148:r=15:d=2:seed=8:speed=0.03:c0=#8E1B2A:c1=#F08A3C:c2=#F6C453:c3=#1F6B3A"
fontfile="$(fc-match -f '%{file}' 'DejaVu Sans:bold' 2>/dev/null || true)"
if [ -n "$fontfile" ] && [ -f "$fontfile" ]; then
  filter+=",drawtext=fontfile=$fontfile:text=Happy Holidays:fontsize=26:fontcolor=#FFF4DC"
  filter+=":borderw=2:bordercolor=#6E0F1E:x=w-t*180:y=(h-th)/2"
fi
ffmpeg -loglevel error -y -f lavfi -i "$filter" -an -c:v msvideo1 -pix_fmt rgb555le \
  -fflags +bitexact -flags:v +bitexact "$out/clip.avi"
