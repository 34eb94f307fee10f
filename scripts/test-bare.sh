#!/bin/sh
# What a new user's clone meets: the committed HEAD cloned into an empty
# temporary folder, with nothing beside it and no corpus named, then the
# README's two commands there (the release build's whole test suite, and the
# main job on the bundled example). The sanitizer, fuzz and Windows runs build
# the same sources from the same test data, so they are not repeated here.
#   scripts/test-bare.sh [JOBS]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${1:-$(nproc)}
if ! git -C "$root" rev-parse --verify -q HEAD >/dev/null; then
    echo "test-bare: $root is not a git checkout with a commit; skipped"
    exit 0
fi
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "test-bare: uncommitted changes are not part of the clone tested"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git clone -q --no-hardlinks "$root" "$work/chainforge"
cd "$work/chainforge"
echo "test-bare: $(git log -1 --format='%h %s' | cut -c1-72) in $work/chainforge"
unset CHAINFORGE_SAMPLES
make test-release JOBS="$jobs"
make run JOBS="$jobs"
