#!/usr/bin/env bash
# The tree's own picture: which folder includes from which, counted over every project
# include ("#include" in C++ and resource scripts, "%include" in NASM) of the sources.
#
#   scripts/include-graph.sh           prints "FROM -> TO  N" (N includes), one line per pair
#   scripts/include-graph.sh --check   also fails when shipped code includes test code
#
# Shipped code is every file under host/, patch/, plugin/, config/, tools/vessa_config/ and
# package/ but the tests (*_test.cpp) and the reader's fuzzer. It may include
# only shipped code and the generated vessa_version.h: the simulated game (sim/) and the test
# support (tests/) build on the product, never the other way round.
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
if [ "${1:-}" = "--check" ]; then
    check=1
elif [ $# -gt 0 ]; then
    echo "usage: $0 [--check]" >&2
    exit 2
fi

is_shipped() {
    case "$1" in
    *_test.cpp | config/fuzz/*) return 1 ;;
    host/* | patch/* | plugin/* | config/* | tools/vessa_config/* | package/*) return 0 ;;
    *) return 1 ;;
    esac
}

edges=$(mktemp)
trap 'rm -f "${edges}"' EXIT
violations=0
# "FILE:#include "DIR/NAME"" for every quoted include of a source, build output left out.
while IFS= read -r hit; do
    file=${hit%%:*}
    file=${file#./}
    included=$(sed -E 's/^[^"]*"([^"]+)".*/\1/' <<<"${hit#*:}")
    from=$(dirname "${file}")
    # Tests live beside what they test; they are a node of their own in the picture.
    if [[ "${file}" == *_test.cpp ]]; then
        from="${from} (tests)"
    fi
    to=$(dirname "${included}")
    [ "${to}" = "." ] && to="(generated)"
    # A folder's includes of its own headers are no edge of the picture.
    [ "${from}" != "${to}" ] && echo "${from} -> ${to}" >>"${edges}"
    if is_shipped "${file}" && [ "${to}" != "(generated)" ] && ! is_shipped "${included}"; then
        echo "shipped code includes test code: ${file} includes ${included}" >&2
        violations=$((violations + 1))
    fi
done < <(grep -rE '^\s*(#|%)include "' --include='*.cpp' --include='*.h' --include='*.asm' \
    --include='*.inc' --include='*.rc' --exclude-dir=build --exclude-dir=dist --exclude-dir=.git .)

sort "${edges}" | uniq -c | sed -E 's/^ *([0-9]+) (.*)$/\2\t\1/' |
    awk -F'\t' '{ split($1, ends, " -> "); printf "%-26s -> %-20s %4d\n", ends[1], ends[2], $2 }'

if [ "${check}" -eq 1 ] && [ "${violations}" -gt 0 ]; then
    echo "${violations} include(s) of test code from shipped code" >&2
    exit 1
fi
