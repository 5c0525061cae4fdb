#!/usr/bin/env bash
# Checks a built DLL's export table against its .def file:
#   - every name of the .def is exported, and nothing else is;
#   - a name given an ordinal ("Name @N") is exported under that ordinal;
#   - every decorated name (starting with "?") is one that clang, compiling the
#     declarations file for the MSVC target, gives to a declaration in it.
# Usage: check-exports.sh --objdump OBJDUMP --dll X.dll --def X.def
#                         --msvc-target TRIPLE [--decls decls.cpp]
set -euo pipefail

objdump="" dll="" def="" msvc_target="" decls=""
while [ $# -gt 0 ]; do
  case "$1" in
    --objdump) objdump="$2"; shift 2 ;;
    --dll) dll="$2"; shift 2 ;;
    --def) def="$2"; shift 2 ;;
    --msvc-target) msvc_target="$2"; shift 2 ;;
    --decls) decls="$2"; shift 2 ;;
    *) echo "check-exports: unknown argument $1" >&2; exit 2 ;;
  esac
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# "name ordinal" for each export of the DLL (ordinal as objdump shows it,
# already biased by the table's base).
"$objdump" -p "$dll" | awk '
  /Ordinal Base/ { base = $NF }
  /\[Ordinal\/Name Pointer\] Table/ { in_table = 1; next }
  in_table && NF == 0 { in_table = 0 }
  in_table && /^[ \t]*\[/ {
    line = $0
    match(line, /\[ *[0-9]+\]/)
    index_text = substr(line, RSTART + 1, RLENGTH - 2)
    name = substr(line, RSTART + RLENGTH)
    gsub(/^[ \t]+|[ \t]+$/, "", name)
    print name, index_text + base
  }' > "$work/exported"

# "name ordinal-or-dash" for each line of the .def's EXPORTS section.
awk '
  /^EXPORTS/ { in_exports = 1; next }
  in_exports && NF > 0 && $1 !~ /^;/ {
    name = $1; ordinal = "-"
    for (i = 2; i <= NF; i++) if ($i ~ /^@[0-9]+$/) ordinal = substr($i, 2)
    print name, ordinal
  }' "$def" > "$work/wanted"

if [ ! -s "$work/exported" ]; then
  fail "$dll exports nothing (or objdump output was not understood)"
fi

while read -r name ordinal; do
  got="$(awk -v n="$name" '$1 == n { print $2 }' "$work/exported")"
  if [ -z "$got" ]; then
    fail "$name is not exported"
  elif [ "$ordinal" != "-" ] && [ "$got" != "$ordinal" ]; then
    fail "$name has ordinal $got, not $ordinal"
  else
    echo "ok: $name (ordinal $got)"
  fi
done < "$work/wanted"

while read -r name _; do
  grep -q -x -F "$name" <(cut -d' ' -f1 "$work/wanted") || fail "$name is exported but not in $def"
done < "$work/exported"

if grep -q '^?' "$work/wanted"; then
  if [ -z "$decls" ]; then
    fail "decorated names in $def but no declarations file to check them against"
  else
    clang++ --target="$msvc_target" -fms-extensions -c "$decls" -o "$work/decls.obj"
    llvm-nm "$work/decls.obj" | awk '{ print $NF }' | grep '^?' | sort -u > "$work/msvc-names"
    while read -r name _; do
      case "$name" in
        \?*) grep -q -x -F "$name" "$work/msvc-names" ||
               fail "$name is not what MSVC calls any declaration in $(basename "$decls") ($(tr '\n' ' ' < "$work/msvc-names"))" ;;
      esac
    done < "$work/wanted"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "check-exports: $failures problem(s) in $(basename "$dll")"
  exit 1
fi
echo "check-exports: $(basename "$dll") exports match $(basename "$def")"
