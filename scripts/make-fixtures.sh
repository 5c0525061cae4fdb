#!/usr/bin/env bash
# Makes the test fixtures into the folder given, from the tools on this
# machine (ImageMagick, sox, lame, djpeg, mpg123). Reference outputs of the
# peers we test against are made here too, so tests compare with them directly.
set -euo pipefail
out="${1:?usage: make-fixtures.sh OUTDIR}"
mkdir -p "$out"
cd "$out"

# A small picture with distinct colours in each corner, so that a misplaced row
# or a swapped channel shows; and what djpeg makes of it.
convert -size 64x48 xc:none \
  \( -size 32x24 xc:'#e03020' \) -geometry +0+0 -composite \
  \( -size 32x24 xc:'#20c040' \) -geometry +32+0 -composite \
  \( -size 32x24 xc:'#2040e0' \) -geometry +0+24 -composite \
  \( -size 32x24 xc:'#f0e060' \) -geometry +32+24 -composite \
  -background white -flatten -quality 92 small.jpg
djpeg -ppm small.jpg > small.jpg.ppm

# One second of a two-tone chord, MPEG-1 Layer III at 128 kbit/s, and the
# reference decode without gapless trimming (what a frame-by-frame decoder gives).
sox -q -n -r 44100 -c 2 -b 16 tone-44k.wav synth 1 sine 440 sine 660 gain -6
lame --quiet -b 128 tone-44k.wav tone-44k.mp3
mpg123 -q --no-gapless -s tone-44k.mp3 > tone-44k.mp3.raw

touch .complete
