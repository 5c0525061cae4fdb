#!/usr/bin/env bash
# Makes the test fixtures into the folder given by running every script of
# scripts/fixtures/ there. They use the tools on this machine (ImageMagick,
# sox, lame, ffmpeg, djpeg, mpg123) and also make the reference outputs of the
# peers we test against, so that tests compare with them directly.
set -euo pipefail
out="${1:?usage: make-fixtures.sh OUTDIR}"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
rm -f "$out/.complete"
for script in "$here"/fixtures/*.sh; do
  (cd "$out" && bash "$script")
done
touch "$out/.complete"
