#!/usr/bin/env bash
# Formats the C++ sources with the tree's .clang-format:
#   scripts/format.sh           rewrites every file that is not formatted
#   scripts/format.sh --check   changes nothing; lists the files that are not and fails
# Always clang-format 14 (Debian 12's), so that the check does not move with the version.
set -euo pipefail
cd "$(dirname "$0")/.."

formatter=clang-format-14
if ! command -v "$formatter" >/dev/null; then
  echo "format.sh: $formatter is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi

# The sources git tracks, and the new ones it does not ignore; outside a checkout every
# source below the top but the build trees.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' |
    while read -r f; do [ -f "$f" ] && echo "$f"; done)
else
  mapfile -t files < <(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) \
    -type f -print | sed 's|^\./||' | sort)
fi

case "${1:-}" in
  "")
    printf '%s\0' "${files[@]}" | xargs -0 "$formatter" -i
    ;;
  --check)
    unformatted=()
    for f in "${files[@]}"; do
      if ! "$formatter" --dry-run --Werror "$f" >/dev/null 2>&1; then
        unformatted+=("$f")
      fi
    done
    if [ ${#unformatted[@]} -gt 0 ]; then
      echo "Not formatted (scripts/format.sh formats them):" >&2
      printf '  %s\n' "${unformatted[@]}" >&2
      exit 1
    fi
    echo "format: ${#files[@]} files formatted"
    ;;
  *)
    echo "usage: scripts/format.sh [--check]" >&2
    exit 2
    ;;
esac
