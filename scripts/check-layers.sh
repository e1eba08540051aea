#!/usr/bin/env bash
# Fails when the product's #include lines make a circle: of units (a .cpp
# with its .h counts as one) or of folders. Tests are no part of the
# product. Usage: check-layers.sh [source root] [folders...]
set -u
root=${1:-$(dirname "$0")/..}
shift || true
folders=("$@")
[ ${#folders[@]} -gt 0 ] || folders=(util player track settings clients plugin)
cd "$root" || exit 2

units=$(mktemp)
trap 'rm -f "$units"' EXIT
for folder in "${folders[@]}"; do
    [ -d "$folder" ] || continue
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -f "$file" ] || continue
        case $file in *_test.cpp) continue ;; esac
        sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" |
            while read -r included; do
                [ -f "$included" ] || continue
                echo "${file%.*} ${included%.*}"
            done
    done
done >"$units"

status=0
check() {
    local what=$1 edges=$2 loop
    # A unit's own header is no arrow.
    loop=$(awk '$1 != $2' <<<"$edges" | tsort 2>&1 >/dev/null)
    if [ -n "$loop" ]; then
        echo "A circle of $what:"
        sed 's/^tsort: //' <<<"$loop" | grep -v 'input contains a loop'
        status=1
    fi
}
check units "$(cat "$units")"
check folders "$(awk '{ split($1, a, "/"); split($2, b, "/"); print a[1], b[1] }' "$units" | sort -u)"
[ $status -eq 0 ] && echo "No circle among $(cut -d' ' -f1 "$units" | sort -u | wc -l) units in ${#folders[@]} folders."
exit $status
