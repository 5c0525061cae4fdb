#!/usr/bin/env bash
# Draws the card player's bitmaps, link cursor and icon into the folder given.
# The resource script player/win32/player_art.rc picks them up from there.
#
# One palette for everything: a deep navy bar, slate buttons with ivory
# glyphs, amber for the button under the mouse, darker amber pressed in, and a
# flat grey for a button that cannot be used. Glyphs are drawn without
# antialiasing so that they stay crisp at 17 pixels.
set -euo pipefail
out="${1:?usage: player-art.sh OUTDIR}"
mkdir -p "$out"
cd "$out"

NAVY='#14213D'; NAVY_EDGE='#2B3F5E'
SLATE='#2E4A6B'; SLATE_LIGHT='#5B7CA3'; SLATE_DARK='#182A40'
IVORY='#F4F1E8'
AMBER='#F2A541'; AMBER_LIGHT='#FAD49A'; AMBER_DARK='#A8641A'; AMBER_DEEP='#8A5214'
GREY='#3B4452'; GREY_EDGE='#2A313C'; GREY_GLYPH='#7E8896'

# 24-bit bottom-up BMP, the form windres and LoadBitmap want.
save() {  # save CANVAS-ARGS... FILE
  local file="${@: -1}"
  convert "${@:1:$#-1}" -alpha off -type TrueColor -define bmp:format=bmp3 "BMP3:$file"
}

# Glyph drawing commands per button, in the coordinates of a button bitmap;
# the bottom row of the 17-pixel bitmaps is never shown, so the glyphs centre
# on the 16 rows that are.
glyph_play='polygon 6,3 6,12 11,7.5'
glyph_stop='rectangle 5,4 11,10'
glyph_close='line 5,4 11,10 line 6,4 12,10 line 11,4 5,10 line 12,4 6,10'
glyph_print='rectangle 8,2 14,5 rectangle 5,6 17,10 rectangle 8,11 14,13'
glyph_print_cut='rectangle 9,12 13,12'
glyph_turn='arc 6,3 16,13 -40,250 polygon 14,2 18,6 13,7'

# button NAME WIDTH LOOK GLYPH: LOOK is normal, hover, pressed or disabled.
button() {
  local name=$1 w=$2 look=$3 glyph=$4
  local face hi lo ink shift=0 r=$(( $2 - 1 ))
  case $look in
    normal)   face=$SLATE; hi=$SLATE_LIGHT; lo=$SLATE_DARK; ink=$IVORY ;;
    hover)    face=$AMBER; hi=$AMBER_LIGHT; lo=$AMBER_DARK; ink=$NAVY ;;
    pressed)  face=$AMBER_DARK; hi=$AMBER_DEEP; lo=$AMBER; ink=$IVORY; shift=1 ;;
    disabled) face=$GREY; hi=$GREY_EDGE; lo=$GREY_EDGE; ink=$GREY_GLYPH ;;
  esac
  save -size "${w}x17" "xc:$face" +antialias \
    -fill none -stroke "$hi" -draw "line 0,0 $r,0 line 0,0 0,15" \
    -stroke "$lo" -draw "line 0,15 $r,15 line $r,0 $r,15" \
    -stroke "$NAVY" -draw "line 0,16 $r,16" \
    -fill "$ink" -stroke "$ink" -draw "translate $shift,$shift $glyph" \
    "$name"
}

button play-normal.bmp 17 normal "$glyph_play"
button play-hover.bmp 17 hover "$glyph_play"
button play-pressed.bmp 17 pressed "$glyph_play"
button play-disabled.bmp 17 disabled "$glyph_play"
button stop-normal.bmp 17 normal "$glyph_stop"
button stop-hover.bmp 17 hover "$glyph_stop"
button stop-pressed.bmp 17 pressed "$glyph_stop"
button stop-disabled.bmp 17 disabled "$glyph_stop"
button close-normal.bmp 17 normal "$glyph_close"
button close-hover.bmp 17 hover "$glyph_close"
button close-pressed.bmp 17 pressed "$glyph_close"
for look in normal hover pressed; do
  button "turn-$look.bmp" 23 $look "fill none $glyph_turn"
done
# The printer's paper slot shows the face colour through the body.
print_button() {
  local look=$1 face
  case $look in normal) face=$SLATE ;; hover) face=$AMBER ;; pressed) face=$AMBER_DARK ;; esac
  button "print-$look.bmp" 23 "$look" "$glyph_print fill $face stroke $face $glyph_print_cut"
}
for look in normal hover pressed; do print_button $look; done

# The bar behind the buttons: 115 x 23, a navy panel with a light rim and a
# small amber divider in the gap before Close.
save -size 115x23 "xc:$NAVY" +antialias \
  -fill none -stroke "$NAVY_EDGE" -draw "rectangle 0,0 114,22" \
  -stroke "$SLATE_DARK" -draw "line 1,21 113,21 line 113,1 113,21" \
  -stroke "$AMBER" -draw "line 91,7 91,16" \
  -fill "$SLATE_DARK" -stroke "$SLATE_DARK" -draw "rectangle 2,3 87,3 rectangle 95,3 114,3" \
  bar.bmp

# The logo strip, 512 x 27: the name on the left, a thin amber rule, and the
# link button's place at the right end (114 pixels), drawn in its normal look
# so that the strip reads whole where the button is not yet drawn.
font=Helvetica-Bold
link() {  # link FILE BACKGROUND INK RULE
  save -size 114x27 "xc:$2" +antialias \
    -fill none -stroke "$NAVY_EDGE" -draw "line 0,0 0,26" \
    -stroke "$4" -draw "line 12,21 92,21" \
    -stroke none -fill "$3" -font "$font" -pointsize 11 -draw "text 14,16 'Visit our site'" \
    -fill "$3" -draw "polygon 96,8 96,16 100,12" \
    "$1"
}
link link-normal.bmp "$SLATE" "$IVORY" "$AMBER"
link link-hover.bmp "$AMBER" "$NAVY" "$NAVY"

convert -size 398x27 "gradient:$NAVY-$SLATE" -rotate -90 -resize '398x27!' strip-left.png
convert strip-left.png +antialias \
  -stroke none -fill "$AMBER" -font "$font" -pointsize 17 -draw "text 12,20 'KZ8'" \
  -fill "$IVORY" -font Helvetica -pointsize 11 -draw "text 52,18 'multimedia card'" \
  -fill "$AMBER" -draw "rectangle 0,25 397,25" \
  strip-left.png
convert strip-left.png link-normal.bmp +append strip-whole.png
save strip-whole.png strip.bmp
rm -f strip-left.png strip-whole.png

# The link cursor: a pointing hand, 32 x 32 monochrome, its fingertip at
# (12, 5). Drawn on red, which stands for "transparent" when packing.
convert -size 32x32 xc:red +antialias -fill white -stroke black -draw "
  roundrectangle 10,4 15,18 2,2
  roundrectangle 15,12 19,20 2,2 roundrectangle 19,13 23,21 2,2 roundrectangle 23,14 27,22 2,2
  roundrectangle 6,15 11,21 2,2
  roundrectangle 9,17 27,29 4,4" \
  -fill white -stroke none -draw "rectangle 11,17 26,20 rectangle 16,13 18,16 rectangle 20,14 22,17 rectangle 24,15 26,18" \
  -stroke black -draw "line 15,13 15,17 line 19,14 19,17 line 23,15 23,18" \
  cursor.ppm
python3 - cursor.ppm link.cur 12 5 <<'PY'
import struct, sys
src, dst, hx, hy = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
data = open(src, 'rb').read()
# Binary PPM: magic, width, height, maxval, then RGB bytes.
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos+1].isspace(): pos += 1
    start = pos
    while not data[pos:pos+1].isspace(): pos += 1
    fields.append(data[start:pos])
pixels = data[pos + 1:]
w, h = int(fields[1]), int(fields[2])
xor_rows, and_rows = [], []
for y in range(h - 1, -1, -1):          # cursor masks are bottom-up
    xor_bits = and_bits = 0
    for x in range(w):
        r, g, b = pixels[3 * (y * w + x):3 * (y * w + x) + 3]
        transparent = r > 200 and g < 80 and b < 80
        white = r > 128 and g > 128 and b > 128
        xor_bits = (xor_bits << 1) | (1 if white and not transparent else 0)
        and_bits = (and_bits << 1) | (1 if transparent else 0)
    xor_rows.append(xor_bits.to_bytes(w // 8, 'big'))
    and_rows.append(and_bits.to_bytes(w // 8, 'big'))
image = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 1, 0, 0, 0, 0, 2, 0)
image += bytes([0, 0, 0, 0, 255, 255, 255, 0]) + b''.join(xor_rows) + b''.join(and_rows)
header = struct.pack('<HHH', 0, 2, 1)
entry = struct.pack('<BBBBHHII', w, h, 0, 0, hx, hy, len(image), 6 + 16)
open(dst, 'wb').write(header + entry + image)
PY
rm -f cursor.ppm

# The program icon: a navy card with an amber corner fold and the play glyph.
convert -size 32x32 xc:none +antialias \
  -fill "$NAVY" -stroke "$NAVY_EDGE" -draw "roundrectangle 1,4 30,27 3,3" \
  -fill "$AMBER" -stroke none -draw "polygon 22,4 30,4 30,12" \
  -fill "$IVORY" -draw "polygon 11,10 11,22 21,16" \
  icon32.png
convert icon32.png -resize 16x16 icon16.png
convert icon16.png icon32.png player.ico
rm -f icon16.png icon32.png
touch .complete
