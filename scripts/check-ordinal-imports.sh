#!/usr/bin/env bash
# Checks that a program imports from a DLL exactly the given ordinals, by
# number only (no names in its import table for that DLL).
# Usage: check-ordinal-imports.sh --objdump OBJDUMP --program X.exe
#                                 --dll NAME.dll --ordinals 2,11,...
set -euo pipefail

objdump="" program="" dll="" ordinals=""
while [ $# -gt 0 ]; do
  case "$1" in
    --objdump) objdump="$2"; shift 2 ;;
    --program) program="$2"; shift 2 ;;
    --dll) dll="$2"; shift 2 ;;
    --ordinals) ordinals="$2"; shift 2 ;;
    *) echo "check-ordinal-imports: unknown argument $1" >&2; exit 2 ;;
  esac
done

# One line per import from the DLL: "ordinal" for an import by number,
# "name NAME" for one by name. An import by number has the top bit of its
# thunk set, and the ordinal in its low bits.
imports="$("$objdump" -p "$program" | awk -v dll="$dll" '
  /DLL Name:/ { in_dll = (tolower($NF) == tolower(dll)); next }
  in_dll && /Hint\/Ord/ { next }
  in_dll && NF == 0 { in_dll = 0 }
  in_dll {
    thunk = $1
    if (length(thunk) >= 8 && substr(thunk, 1, 1) == "8") {
      low = substr(thunk, length(thunk) - 7)
      sub(/^8/, "0", low)
      print low
    } else {
      print "name", $NF
    }
  }' | while read -r first rest; do
    if [ "$first" = name ]; then echo "name $rest"; else printf '%d\n' "0x$first"; fi
  done | sort -n)"
wanted="$(tr ',' '\n' <<< "$ordinals" | sort -n)"

if [ "$imports" != "$wanted" ]; then
  echo "FAIL: $(basename "$program") imports from $dll:"
  echo "$imports"
  echo "wanted, by ordinal only:"
  echo "$wanted"
  exit 1
fi
echo "check-ordinal-imports: $(basename "$program") imports $dll by ordinals $ordinals only"
