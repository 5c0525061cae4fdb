#!/usr/bin/env bash
# dtpcheck over a good, a bad and a missing template in one run: its lines
# and its exit status.
set -u
dtpcheck="$1" good="$2"
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
exit $failed
