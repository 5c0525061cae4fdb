#!/bin/sh
# Writes a screenshot of the whole X display to $1 as a binary PPM. Windows
# programs under Wine start this to check what they drew from the outside.
set -e
out="$1"
xwd -root -silent | convert xwd:- -depth 8 "ppm:$out.tmp"
mv "$out.tmp" "$out"
