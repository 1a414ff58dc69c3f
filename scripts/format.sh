#!/usr/bin/env bash
# Lays out the C++ sources (program and tests) by .clang-format.
#   scripts/format.sh           rewrite the files that differ
#   scripts/format.sh --check   change nothing; list the files that differ with
#                               the number of lines that would change, and fail
#                               when there are any
# The rules were tuned with clang-format 14; another version may lay out a few
# lines differently. CLANG_FORMAT names another binary.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
clang_format="${CLANG_FORMAT:-clang-format}"
check=0
case "${1:-}" in
    --check) check=1 ;;
    "") ;;
    *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

cd "$root"
# Fails here, not file by file, when the tool or the rules file is unusable.
"$clang_format" --style=file --dump-config >/dev/null
mapfile -t files < <(git ls-files '*.cpp' '*.h')
changed_files=0
changed_lines=0
for file in "${files[@]}"; do
    lines=$(diff <("$clang_format" --style=file "$file") "$file" | grep -c '^[<>]' || true)
    [ "$lines" -eq 0 ] && continue
    changed_files=$((changed_files + 1))
    changed_lines=$((changed_lines + lines))
    if [ "$check" = 1 ]; then
        printf '%6d  %s\n' "$lines" "$file"
    else
        "$clang_format" --style=file -i "$file"
    fi
done

if [ "$check" = 1 ]; then
    echo "format: $changed_files of ${#files[@]} files differ, $changed_lines lines (removed plus added)"
    [ "$changed_files" -eq 0 ]
else
    echo "format: rewrote $changed_files of ${#files[@]} files"
fi
