#!/usr/bin/env bash
# Draws the resource library's bitmaps into the folder given: the default card
# face, three stamps with perforated edges and the suite's banner. The
# resource script resources/res_kz8.rc picks them up from there. Same palette
# as the player's art, so that the suite looks like one thing.
set -euo pipefail
out="${1:?usage: res-kz8-art.sh OUTDIR}"
mkdir -p "$out"
cd "$out"

NAVY='#14213D'; SLATE='#2E4A6B'; SLATE_LIGHT='#5B7CA3'
IVORY='#F4F1E8'; PAPER='#FBF8F0'
AMBER='#F2A541'; AMBER_DARK='#A8641A'
SEA='#2A7F8F'; LEAF='#4F8A3C'; ROSE='#C4505A'
font=Helvetica-Bold

# 24-bit bottom-up BMP, the form windres and LoadBitmap want.
save() {  # save CANVAS-ARGS... FILE
  local file="${@: -1}"
  convert "${@:1:$#-1}" -alpha off -type TrueColor -define bmp:format=bmp3 "BMP3:$file"
}

# 1002: a card face to start from, a sky over a sea with a sun and a frame.
save -size 580x380 "gradient:$SLATE_LIGHT-$IVORY" \
  -fill "$AMBER" -draw "circle 430,170 430,215" \
  -fill "$SEA" -draw "rectangle 0,250 579,379" \
  -stroke "$IVORY" -strokewidth 2 -draw "line 40,290 200,290 line 260,320 470,320" \
  -fill none -stroke "$NAVY" -strokewidth 6 -draw "rectangle 12,12 567,367" \
  -stroke none -fill "$NAVY" -font "$font" -pointsize 30 -draw "text 36,62 'Greetings'" \
  card-face.bmp

# A stamp: paper with a coloured picture, its edge cut by perforation holes
# in the colour of the envelope behind it.
stamp() {  # stamp FILE COLOUR MOTIF
  local holes="" x y
  for x in $(seq 3 8 59); do holes+="circle $x,0 $x,3 circle $x,72 $x,69 "; done
  for y in $(seq 4 8 68); do holes+="circle 0,$y 3,$y circle 61,$y 58,$y "; done
  save -size 62x73 "xc:$PAPER" +antialias \
    -fill "$2" -draw "rectangle 7,7 54,56" \
    -fill "$IVORY" -stroke "$IVORY" -draw "$3" \
    -stroke none -fill "$NAVY" -font "$font" -pointsize 10 -draw "text 9,67 'KZ8'" \
    -fill "$NAVY" -draw "rectangle 40,60 52,66" \
    -fill white -draw "$holes" \
    "$1"
}
stamp stamp-sun.bmp "$AMBER_DARK" "circle 30,31 30,42 line 30,12 30,16 line 30,46 30,50 line 11,31 15,31 line 45,31 49,31"
stamp stamp-diamond.bmp "$LEAF" "polygon 30,12 44,32 30,52 16,32"
stamp stamp-heart.bmp "$ROSE" "circle 23,26 23,33 circle 37,26 37,33 polygon 16,29 44,29 30,48"

# 1005: the banner with the suite's name.
save -size 201x86 "xc:$NAVY" \
  -fill "$SLATE" -draw "polygon 0,60 201,40 201,86 0,86" \
  -fill "$AMBER" -draw "rectangle 0,0 200,5" \
  -stroke none -fill "$AMBER" -font "$font" -pointsize 34 -draw "text 14,44 'KZ8'" \
  -fill "$IVORY" -font Helvetica -pointsize 13 -draw "text 92,32 'multimedia'" \
  -draw "text 92,48 'card suite'" \
  banner.bmp

touch .complete
