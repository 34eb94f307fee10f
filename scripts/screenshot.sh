#!/bin/sh
# Saves pictures of the desktop program's dialogs under BUILD/screenshots/:
# the main dialog empty, loaded with an alignment chosen, widened, and the
# About box. Rendered offscreen, so no display is needed.
set -eu

build="${1:-build}"
program="$build/chainforge-screenshots"
if [ ! -x "$program" ]; then
    echo "$program is missing: build with the desktop program enabled" >&2
    exit 1
fi
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$program" "$build/screenshots"
