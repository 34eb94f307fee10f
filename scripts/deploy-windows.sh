#!/bin/sh
# Puts the Windows desktop program together with everything it needs into one
# folder that runs on a Windows machine with nothing installed:
#   sh scripts/deploy-windows.sh BUILD QT DEST
# BUILD holds chainforge.exe (and chainforge-cli.exe), QT the Qt for Windows
# that scripts/build-qt-windows.sh installed.
set -eu

build=$1
qt=$2
dest=$3
root=$(cd "$(dirname "$0")/.." && pwd)
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")

rm -rf "$dest"
mkdir -p "$dest/platforms" "$dest/styles" "$dest/translations" "$dest/licences/Qt"
cp "$build/chainforge.exe" "$build/chainforge-cli.exe" "$dest/"
for module in Core Gui Widgets; do
    cp "$qt/bin/Qt6$module.dll" "$dest/"
done
cp "$qt/plugins/platforms/qwindows.dll" "$dest/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$dest/styles/"
# One C++ runtime for the program and Qt: the DLLs Qt was built against.
cp "$gcc_dlls/libstdc++-6.dll" "$gcc_dlls/libgcc_s_seh-1.dll" \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$dest/"
# Qt's own dialogs in the user's language (Debian's files of the same version).
cp /usr/share/qt6/translations/qtbase_*.qm "$dest/translations/"
# Qt finds its translations beside the program, not in its build prefix.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$dest/qt.conf"

x86_64-w64-mingw32-strip "$dest"/*.exe "$dest"/*.dll "$dest"/platforms/*.dll "$dest"/styles/*.dll

for file in LICENSE NOTICE; do
    sed 's/$/\r/' "$root/$file" >"$dest/$file.txt"
done
cp "$qt/QT-SOURCE.txt" "$dest/licences/Qt/"
for licence in LGPL-3.0-only GPL-3.0-only GPL-2.0-only LicenseRef-Qt-Commercial; do
    if [ -f "$qt/LICENSES/$licence.txt" ]; then
        cp "$qt/LICENSES/$licence.txt" "$dest/licences/Qt/"
    fi
done
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$dest/licences/GCC-runtime.txt" 2>/dev/null ||
    cp /usr/share/doc/g++-mingw-w64-x86-64-posix/copyright "$dest/licences/GCC-runtime.txt"
echo "Deployed to $dest ($(du -sh "$dest" | cut -f1))"
