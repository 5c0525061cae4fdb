#!/usr/bin/env bash
# dtpcheck over a good, a bad and a missing template in one run: its lines
# and its exit status.
set -u
dtpcheck="$1" good="$2" pictures="$3"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
printf '[TEMPLATE]\nNAME=Bad\nFILENAME=bg.bmp\nCAPTION=a - b\n' > "$work/bad.dtp"

output="$("$dtpcheck" "$good" "$work/bad.dtp" "$work/none.dtp")"
status=$?
expected="$good: OK
$work/bad.dtp: ERROR! ID=12 LINE=4 unknown character -
$work/none.dtp: ERROR! ID=7 Can not open the DTP file:$work/none.dtp!"
failed=0
[ "$output" = "$expected" ] || { echo "output:"; echo "$output"; echo "expected:"; echo "$expected"; failed=1; }
[ "$status" = 1 ] || { echo "exit status $status, expected 1"; failed=1; }
"$dtpcheck" "$good" > /dev/null || { echo "a good file alone must exit 0"; failed=1; }
"$dtpcheck" 2> /dev/null; [ $? = 2 ] || { echo "no arguments must exit 2"; failed=1; }
"$dtpcheck" --help | grep -q "usage: dtpcheck" || { echo "--help prints no usage"; failed=1; }

# With --pictures: a background that does not read fails the file, another
# picture that does not read is a warning.
printf '[TEMPLATE]\nNAME=P\nFILENAME=bg.bmp\n' > "$work/nobg.dtp"
cp "$pictures/rgb24.bmp" "$work/bg.bmp"
printf '[TEMPLATE]\nNAME=P\nFILENAME=bg.bmp\n[IMGWINDOW]\nNAME=I\nRECT=1,1,2,2\n[CHECKBOX]\nNAME=C\nRECT=1,1,9,9\nIMGUNCHECKED=bg.bmp\nIMGCHECKED=gone.bmp\n' > "$work/warn.dtp"
rm -f "$work/nobg-dir" && mkdir -p "$work/nobg-dir" && mv "$work/nobg.dtp" "$work/nobg-dir/"
output="$("$dtpcheck" --pictures "$work/warn.dtp" "$work/nobg-dir/nobg.dtp")"
expected="$work/warn.dtp: warning: the picture gone.bmp cannot be read
$work/warn.dtp: OK
$work/nobg-dir/nobg.dtp: ERROR! ID=2 LINE=3 invalid file name or the file has not exited"
[ "$output" = "$expected" ] || { echo "output:"; echo "$output"; echo "expected:"; echo "$expected"; failed=1; }
exit $failed
