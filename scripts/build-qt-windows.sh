#!/bin/sh
# Builds the smallest Qt 6 (qtbase: Core, Gui, Widgets, Test and the windows
# platform plugin) that the desktop program needs on 64-bit Windows, cross-built
# with mingw-w64 from Debian's own qt6-base source package: the same version
# and the same security patches as the Linux build's qt6-base-dev.
#
# Installs into a cache folder outside the build tree, once per machine: a
# stamp makes a second run do nothing. About half an hour of CPU.
#   sh scripts/build-qt-windows.sh            (the folder: QT_WINDOWS, or
#                                              ~/.cache/chainforge/qt-6.4.2-mingw)
set -eu

QT_VERSION=6.4.2
DEBIAN_VERSION=6.4.2+dfsg-10
ROOT=$(cd "$(dirname "$0")/.." && pwd)
PREFIX=${QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/chainforge/qt-$QT_VERSION-mingw}
STAMP=$PREFIX/chainforge-qt.stamp
if [ -f "$STAMP" ]; then
    echo "Qt $QT_VERSION for Windows is ready in $PREFIX"
    exit 0
fi

sh "$ROOT/scripts/install-deps.sh" windows
sh "$ROOT/scripts/install-deps.sh" packages ninja-build perl xz-utils patch qt6-base-dev-tools

WORK=$PREFIX.work
rm -rf "$WORK"
mkdir -p "$WORK/lists/partial"
cd "$WORK"

# Debian's source package, fetched without touching the system's apt set-up:
# a private source list and package lists in the work folder.
cat >"$WORK/qt-source.sources" <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
APT_PRIVATE="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$WORK \
-o Dir::State::Lists=$WORK/lists -o APT::Sandbox::User=root"
# shellcheck disable=SC2086
apt-get $APT_PRIVATE -qq update
# shellcheck disable=SC2086
apt-get $APT_PRIVATE -qq source --download-only "qt6-base=$DEBIAN_VERSION"

echo "Unpacking Qt $QT_VERSION"
tar xf "qt6-base_$QT_VERSION+dfsg.orig.tar.xz"
tar xf "qt6-base_$DEBIAN_VERSION.debian.tar.xz"
SRC=$WORK/qtbase-everywhere-src-$QT_VERSION

# Debian's security fixes; its packaging patches are for Debian's own build.
for fix in debian/patches/cve-*; do
    echo "Applying $(basename "$fix")"
    patch -d "$SRC" -p1 -s <"$fix"
done

# With direct2d off, the DirectWrite font database is not built, yet the
# windows platform plugin still refers to it where only directwrite3 is asked.
sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
    "$SRC/src/plugins/platforms/windows/qwindowsintegration.cpp"
grep -q 'QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)' \
    "$SRC/src/plugins/platforms/windows/qwindowsintegration.cpp"

# The +dfsg tarball lacks wintab, iaccessible2 and sqlite: their features off.
mkdir -p "$WORK/build"
cd "$WORK/build"
"$SRC/configure" -prefix "$PREFIX" -release -shared \
    -nomake examples -nomake tests \
    -no-opengl -no-dbus -no-icu -no-libjpeg \
    -no-feature-network -no-feature-sql -no-feature-printsupport \
    -no-feature-concurrent -no-feature-xml -no-feature-vulkan \
    -no-feature-direct2d -no-feature-tabletevent \
    -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
    -qt-host-path /usr \
    -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCHAINFORGE_SHARED_RUNTIME=ON \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
cmake --build . --parallel "${JOBS:-$(nproc)}"
cmake --install .

# Where the source came from, for the licence notice shipped beside the DLLs.
cat >"$PREFIX/QT-SOURCE.txt" <<EOF
Qt $QT_VERSION (qtbase), built from Debian's qt6-base source package $DEBIAN_VERSION
(https://sources.debian.org/src/qt6-base/$DEBIAN_VERSION/), with Debian's
security patches $(cd "$WORK/debian/patches" && echo cve-*) applied and one change:
in src/plugins/platforms/windows/qwindowsintegration.cpp the DirectWrite font
database is used only where direct2d is configured (it is not).
EOF
rm -rf "$PREFIX/LICENSES"
cp -r "$SRC/LICENSES" "$PREFIX/LICENSES"
touch "$STAMP"
cd "$PREFIX"
rm -rf "$WORK"
echo "Qt $QT_VERSION for Windows is ready in $PREFIX"
