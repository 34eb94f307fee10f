#!/bin/sh
# Runs every fuzz target for FUZZ_SECONDS each, corpora kept under the build
# folder and seeded from the test data, the real exports kept in the
# repository and, when it is there, the full corpus of real exports. Exits
# non-zero when any target finds a crash, a hang or a leak.
set -u
BUILD=${1:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-60}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
SAMPLES=${CHAINFORGE_SAMPLES:-$ROOT/../shared/samples/landxml}
status=0

for target in "$BUILD"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$BUILD/corpus/$name"
    seeds="$BUILD/seeds/$name"
    mkdir -p "$corpus" "$seeds" "$BUILD/artifacts/$name"
    case "$name" in
        fuzz_scan|fuzz_conversion)
            cp "$ROOT"/tests/data/*.xml "$ROOT"/examples/*.xml "$seeds"/ 2>/dev/null
            find "$ROOT/tests/data/real" -name '*.xml' -size -600k -exec cp {} "$seeds"/ \;
            [ -d "$SAMPLES" ] && find "$SAMPLES" -name '*.xml' -size -600k -exec cp {} "$seeds"/ \;
            ;;
        fuzz_ascii_points)
            cp "$ROOT"/tests/data/*.asc "$seeds"/ 2>/dev/null
            ;;
    esac
    echo "== $name for ${SECONDS_EACH}s"
    if ! "$target" "$corpus" "$seeds" -dict="$ROOT/fuzz/landxml.dict" -max_total_time="$SECONDS_EACH" \
        -timeout=10 -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$BUILD/artifacts/$name/" 2> "$BUILD/$name.log"; then
        echo "!! $name found a problem: see $BUILD/$name.log and $BUILD/artifacts/$name/"
        status=1
    fi
    grep -E "^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::peak_rss_mb)|cov:" "$BUILD/$name.log" | tail -3
done
exit $status
