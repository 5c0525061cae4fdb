#!/usr/bin/env bash
# Checks that the C++ files a change touches are formatted as .clang-format
# says. The change is the working tree against BASE (default: the commit
# before HEAD, so that a clean checkout checks its last commit).
#
#   scripts/check-format.sh [BASE]
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format: clang-format is missing" >&2; exit 1; }
base="${1:-HEAD~1}"
git rev-parse -q --verify "$base^{commit}" >/dev/null || base="$(git hash-object -t tree /dev/null)"
bad=()
while IFS= read -r file; do
  case "$file" in *.cpp|*.h) ;; *) continue ;; esac
  [ -f "$file" ] || continue
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done < <(git diff --name-only "$base" --)
if [ "${#bad[@]}" -gt 0 ]; then
  printf 'check-format: not formatted (run clang-format -i on it): %s\n' "${bad[@]}" >&2
  exit 1
fi
