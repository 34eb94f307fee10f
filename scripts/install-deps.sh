#!/bin/sh
# Installs the Debian packages that building, testing and running need, and
# the comma-decimal locale the locale tests use. Installs only what is missing.
# With the argument "windows" (or CHAINFORGE_WINDOWS=1): also the cross
# compiler, GoogleTest's sources and Wine for the Windows build.
# With "packages P...": only those packages.
set -eu

PACKAGES="g++ make cmake libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev \
locales clang clang-format clang-tidy libclang-rt-14-dev libxml2-utils xauth xvfb dpkg-dev"
if [ "${1:-}" = windows ] || [ "${CHAINFORGE_WINDOWS:-}" = 1 ]; then
    PACKAGES="$PACKAGES g++-mingw-w64-x86-64-posix googletest wine64 wine"
fi
# With the argument "packages": only the packages named after it.
if [ "${1:-}" = packages ]; then
    shift
    PACKAGES="$*"
fi

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi

if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "Generating the de_DE.UTF-8 locale"
    as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
