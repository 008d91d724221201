#!/usr/bin/env bash
# Fails, naming the files, when a C++ source of the tree differs from what clang-format makes of it
# (.clang-format at the top). tools/format.sh rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t sources < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi

unformatted=()
for source in "${sources[@]}"; do
    if ! clang-format-19 --style=file "$source" | cmp -s - "$source"; then
        unformatted+=("$source")
    fi
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "Not formatted as .clang-format says (run tools/format.sh):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "${#sources[@]} sources formatted"
