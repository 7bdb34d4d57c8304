#!/usr/bin/env bash
# Checks every C++ file of the game, its tools, tests and benchmarks against
# .clang-format; prints the files that differ and fails if there are any.
#   scripts/check-format.sh          check
#   scripts/check-format.sh --fix    reformat in place
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mapfile -t files < <(find src tools tests bench -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}" 2>&1 | grep -o '^[^:]*:[0-9]*' | cut -d: -f1 | sort -u |
    sed 's/^/not formatted: /' || true
clang-format --dry-run --Werror "${files[@]}" >/dev/null 2>&1
