#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence's SPDX line at the head of every source file git tracks that lacks one: C++,
# CMake, shell, Python, and the help's pages and style sheet, after a first "#!" or "<!DOCTYPE"
# line. With --check it changes nothing, lists the files that lack the line and fails when any
# does (outside a git checkout there is nothing to check).
#
#   tools/spdx.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
id="SPDX-License-Identifier: GPL-3.0-or-later"
check=""
[ "${1:-}" = "--check" ] && check=yes
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "spdx: not a git checkout; nothing to do"
    exit 0
fi

missing=()
while IFS= read -r f; do
    case "$f" in
        *.cpp | *.h | *.h.in) line="// $id" ;;
        CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py | .ci/run) line="# $id" ;;
        help/*.htm) line="<!-- $id -->" ;;
        help/*.css) line="/* $id */" ;;
        *) continue ;;
    esac
    [ -f "$f" ] || continue
    head -n 3 "$f" | grep -q "SPDX-License-Identifier" && continue
    missing+=("$f")
    [ -n "$check" ] && continue
    first=$(head -n 1 "$f")
    case "$first" in
        '#!'* | '<!DOCTYPE'* | '<!doctype'*)
            { printf '%s\n%s\n' "$first" "$line"; tail -n +2 "$f"; } >"$f.spdx" ;;
        *) { printf '%s\n' "$line"; cat "$f"; } >"$f.spdx" ;;
    esac
    chmod --reference="$f" "$f.spdx"
    mv "$f.spdx" "$f"
done < <(git ls-files)

if [ -n "$check" ] && ((${#missing[@]})); then
    printf 'spdx: no SPDX line at the head of %s\n' "${missing[@]}" >&2
    echo "spdx: run tools/spdx.sh to add them" >&2
    exit 1
fi
[ -n "$check" ] || echo "spdx: ${#missing[@]} files given the SPDX line"
