#!/bin/sh
# Benchmarks: the load scan of a large generated LandXML file against the
# memchr floor and xmllint, then every Google Benchmark program.
set -eu
BUILD=${1:-build}
SIZE_MB=${BENCH_SIZE_MB:-500}
DATA="$BUILD/bench-data/generated-${SIZE_MB}mb.xml"
TOOLS="$BUILD/bench"

mkdir -p "$BUILD/bench-data"
if [ ! -s "$DATA" ]; then
    echo "Generating $DATA"
    "$TOOLS/generate_landxml" "$SIZE_MB" > "$DATA"
fi
SIZE=$(stat -c %s "$DATA")

best() {  # best of three runs: prints "SECONDS PEAK_MB"
    result=""
    for _ in 1 2 3; do
        line=$("$TOOLS/measure" "$@" 2>&1 >/dev/null | tail -1)
        if [ -z "$result" ] || [ "$(echo "$line $result" | awk '{print ($1 < $3)}')" = 1 ]; then
            result=$line
        fi
    done
    echo "$result"
}

cat "$DATA" > /dev/null  # warm the page cache
floor=$(best "$TOOLS/count_tags" "$DATA")
scan=$(best "$BUILD/chainforge-cli" list --tsv "$DATA")
echo "File: $DATA ($SIZE bytes)"
echo "memchr tag count over the mapped file: $floor (seconds, peak MB)"
echo "chainforge-cli list --tsv:             $scan"
echo "$scan $floor $SIZE" | awk '{printf "ratio to the memchr floor: %.2f (target <= 2)\npeak memory over file size: %.1f MB (target <= 64)\n", $1 / $3, $2 - $5 / 1048576}'
if command -v xmllint > /dev/null; then
    lint=$(best xmllint --stream --noout "$DATA")
    echo "xmllint --stream --noout:              $lint"
    echo "$scan $lint" | awk '{printf "ratio to xmllint --stream: %.2f\n", $1 / $3}'
fi

for program in "$TOOLS"/bench_*; do
    [ -x "$program" ] || continue
    echo "== $(basename "$program")"
    "$program" --benchmark_min_time=0.2
done
