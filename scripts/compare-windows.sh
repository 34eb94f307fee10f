#!/bin/sh
# Runs chainforge-cli (Linux build) and chainforge-cli.exe (Windows build,
# under Wine) over every sample LandXML file, listing it, converting each
# point group and alignment (with a profile and surface where there is one) and
# previewing each alignment with its pictures, and compares standard output,
# standard error, exit status and every file written, byte for byte. Also
# runs both on a file copied under non-ASCII file and folder names.
# The samples are the real exports kept in tests/data/real and, when the
# folder is there, the full corpus (CHAINFORGE_SAMPLES, by default
# ../shared/samples/landxml beside the repository).
#   scripts/compare-windows.sh LINUX_BUILD WINDOWS_BUILD [CORPUS]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(realpath "$1")/chainforge-cli
windows=$(realpath "$2")/chainforge-cli.exe
corpus=${3:-${CHAINFORGE_SAMPLES:-$root/../shared/samples/landxml}}
samples="$root/tests/data/real"
if [ -d "$corpus" ]; then
    corpus=$(realpath "$corpus")
else
    echo "compare-windows: real-export corpus not found at $corpus; set CHAINFORGE_SAMPLES" \
        "(comparing the exports in tests/data/real only)"
    corpus=""
fi
export WINEDEBUG=-all WINEPREFIX="${WINEPREFIX:-$(realpath "$2")/wine}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
runs=0
wrote=0
differences=0

# run NAME ARGS...: the same command in a fresh folder for each build.
run() {
    name=$1
    shift
    runs=$((runs + 1))
    for side in linux windows; do
        rm -rf "$work/$side" && mkdir -p "$work/$side/dir-ä" && cp "$work/input/"* "$work/$side/dir-ä/"
        if [ "$side" = linux ]; then program=$linux; else program="wine $windows"; fi
        (cd "$work/$side" && set +e; $program "$@" >stdout 2>stderr </dev/null; echo $? >status)
        rm -rf "$work/$side/dir-ä"/*.xml
    done
    if grep -q '^wrote ' "$work/windows/stdout"; then
        wrote=$((wrote + 1))
    fi
    if ! diff -r "$work/linux" "$work/windows" >"$work/diff" 2>&1; then
        differences=$((differences + 1))
        echo "differs: $name: $*"
        head -20 "$work/diff"
    fi
}

# field N of the rows of KIND in a TSV listing
rows() {
    awk -F '\t' -v kind="$2" -v field="$3" '$1 == kind { print $field }' "$1" | sort -u
}

mkdir -p "$work/input"
for sample in "$samples"/*.xml ${corpus:+"$corpus"/*.xml}; do
    base=$(basename "$sample")
    if [ "$(dirname "$sample")" = "$corpus" ] && [ -f "$samples/$base" ]; then
        continue  # the same bytes as the repository's copy
    fi
    rm -f "$work/input/"* && cp "$sample" "$work/input/$base"
    input="dir-ä/$base"
    run "$base" list "$input"
    run "$base" list "$input" --tsv
    run "$base" list "$input" --json
    "$linux" list "$sample" --tsv >"$work/listing" 2>/dev/null || true
    rows "$work/listing" group 2 >"$work/groups"
    while IFS= read -r group; do
        run "$base" convert "$input" --points "$group" --ascii-out p.asc
    done <"$work/groups"
    rows "$work/listing" alignment 2 >"$work/alignments"
    while IFS= read -r alignment; do
        profile=$(awk -F '\t' -v a="$alignment" '$1 == "profile" && $2 == a { print $3; exit }' "$work/listing")
        surface=$(awk -F '\t' -v a="$alignment" '$1 == "surface" && $2 == a { print $3; exit }' "$work/listing")
        run "$base" convert "$input" --alignment "$alignment" --report-json r.json \
            ${profile:+--profile "$profile"} ${surface:+--surface "$surface"} --yes
        run "$base" preview "$input" --alignment "$alignment" --plan-svg p.svg \
            --profile-svg v.svg ${profile:+--profile "$profile"} \
            ${surface:+--surface "$surface" --section-svg 0:s.svg}
    done <"$work/alignments"
done

# Non-ASCII names: the file, its folder, the outputs beside it, an old output
# replaced, and an alignment name argument.
rm -f "$work/input/"* && cp "$root/tests/data/golden/convert-non-ascii-names/straße.xml" "$work/input/"
run straße.xml list "dir-ä/straße.xml" --tsv
run straße.xml convert "dir-ä/straße.xml" --alignment "○○路線" --ascii-out "dir-ä/ö.asc" \
    --chain-out "dir-ä/ö.ch"
printf old >"$work/input/straße.ch"
run straße.xml convert "dir-ä/straße.xml" --alignment "○○路線" --chain-out "dir-ä/straße.ch" \
    --ascii-out "dir-ä/straße.asc" --force

if ! grep -q "Horizontal Control" "$work/windows/dir-ä/straße.ch"; then
    echo "compare-windows: the old straße.ch was not replaced"
    differences=$((differences + 1))
fi
echo "compare-windows: $runs runs ($wrote wrote files), $differences differing"
[ "$differences" -eq 0 ]
