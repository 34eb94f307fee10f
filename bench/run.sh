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

# A tag-dense file: a Surfaces element of short <P> and <F> lines, about 11
# bytes a tag, where only the section's closing tag matters to the scan.
DENSE="$BUILD/bench-data/tag-dense-${SIZE_MB}mb.xml"
if [ ! -s "$DENSE" ]; then
    echo "Generating $DENSE"
    awk -v mb="$SIZE_MB" 'BEGIN {
        printf "<?xml version=\"1.0\"?>\r\n<LandXML version=\"1.2\">\r\n<Surfaces>\r\n<Surface name=\"S\">\r\n"
        n = int(mb * 1048576 / 44)
        for (i = 0; i < n; i++) printf "<P id=\"%d\">1.5 2.5 3</P>\r\n<F>1 2 3</F>\r\n", i
        printf "</Surface>\r\n</Surfaces>\r\n</LandXML>\r\n"
    }' > "$DENSE"
fi
cat "$DENSE" > /dev/null
dense_floor=$(best "$TOOLS/count_tags" "$DENSE")
dense_scan=$(best "$BUILD/chainforge-cli" list --tsv "$DENSE")
echo "Tag-dense file: $DENSE ($(stat -c %s "$DENSE") bytes)"
echo "memchr tag count:          $dense_floor"
echo "chainforge-cli list --tsv: $dense_scan"
echo "$dense_scan $dense_floor" | awk '{printf "wall-time ratio to the memchr floor: %.2f (the copy into memory included)\n", $1 / $3}'
if [ -x /usr/bin/time ]; then  # CPU time in user mode, the measure of the target
    u_floor=$(/usr/bin/time -f %U "$TOOLS/count_tags" "$DENSE" 2>&1 >/dev/null | tail -1)
    u_scan=$(/usr/bin/time -f %U "$BUILD/chainforge-cli" list --tsv "$DENSE" 2>&1 >/dev/null | tail -1)
    echo "$u_scan $u_floor" | awk '{printf "user-time ratio: %.2f s / %.2f s = %.2f (target <= 1.5)\n", $1, $2, $1 / $2}'
fi

for program in "$TOOLS"/bench_*; do
    [ -x "$program" ] || continue
    echo "== $(basename "$program")"
    "$program" --benchmark_min_time=0.2
done
