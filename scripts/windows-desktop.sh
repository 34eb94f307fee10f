#!/bin/sh
# The desktop program for Windows, cross-built against the Qt that
# scripts/build-qt-windows.sh put in its cache folder, and checked under Wine:
#   windows-desktop.sh build       chainforge.exe, the CLI, the GUI test; the deploy folder
#   windows-desktop.sh test        the GUI test under Wine, then the installer check
#   windows-desktop.sh installer   chainforge-VERSION-setup.exe and the portable .zip
#   windows-desktop.sh screenshot  the dialogs under Wine's windows platform, on Xvfb
# Without the cached Qt, or when Wine cannot make its prefix, "test" says it
# is skipped and succeeds; the others fail.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
qt=${QT_WINDOWS:-${XDG_CACHE_HOME:-$HOME/.cache}/chainforge/qt-6.4.2-mingw}
build=$(realpath -m "${WIN_DESKTOP_BUILD:-$root/build-windows-desktop}")
deploy=$build/Chainforge
version=$(sed -n 's/.*kVersionText = "\(.*\)";/\1/p' "$root/src/convert/Version.h")
jobs=${JOBS:-$(nproc)}
export WINEDEBUG=-all WINEPREFIX="$build/wine"

have_qt() { [ -f "$qt/chainforge-qt.stamp" ]; }

need_qt() {
    if ! have_qt; then
        echo "Qt for Windows is not in $qt: run make qt-windows first" >&2
        exit 1
    fi
}

# Now and then Wine fails to start a program at all (seen under load, and on
# a first start in a new prefix): a Wine step is tried three times before it
# counts as failed, and a step that fails says which it was.
retry() {
    for attempt in 1 2 3; do
        if "$@"; then
            return 0
        fi
        echo "windows-desktop.sh: attempt $attempt failed: $*" >&2
        wineserver -k 2>/dev/null || true
        sleep 2
    done
    echo "windows-desktop.sh: gave up after three attempts: $*" >&2
    return 1
}

make_prefix() {
    rm -rf "$WINEPREFIX"
    wineboot -i >"$build/wineboot.log" 2>&1 || { cat "$build/wineboot.log" >&2; return 1; }
}

substitute_font() {
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
        /v "$1" /t REG_SZ /d "DejaVu Sans" /f >/dev/null
}

# Wine's own prefix, made once, with TrueType fonts the dialogs can use; a
# prefix a failed run left half made is made again. Returns non-zero when
# Wine cannot make it.
wine_prefix() {
    if [ ! -f "$WINEPREFIX/.chainforge-ready" ]; then
        fonts="$WINEPREFIX/drive_c/windows/Fonts"
        retry make_prefix || return 1
        mkdir -p "$fonts" && cp /usr/share/fonts/truetype/dejavu/*.ttf "$fonts/" || return 1
        # The dialog fonts Windows names, drawn with a sans-serif face.
        for face in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "Segoe UI"; do
            retry substitute_font "$face" || return 1
        done
        touch "$WINEPREFIX/.chainforge-ready"
    fi
    wineserver -p30 </dev/null >/dev/null 2>&1 || true
}

build() {
    need_qt
    sh "$root/scripts/install-deps.sh" windows
    sh "$root/scripts/install-deps.sh" packages fonts-dejavu-core
    mkdir -p "$build"
    cmake -S "$root" -B "$build" \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCHAINFORGE_SHARED_RUNTIME=ON -DCMAKE_BUILD_TYPE=Release -DCHAINFORGE_WERROR=ON \
        -DCHAINFORGE_GUI=ON >"$build/configure.log" 2>&1 || {
        cat "$build/configure.log"
        exit 1
    }
    cmake --build "$build" -j "$jobs" --target chainforge chainforge-cli test_gui \
        chainforge-screenshots
    sh "$root/scripts/deploy-windows.sh" "$build" "$qt" "$deploy"
    # The test programs run from the build folder with the Qt of the cache.
    printf '[Paths]\r\nPrefix = Z:%s\r\n' "$qt" >"$build/tests/gui/qt.conf"
    cp "$build/tests/gui/qt.conf" "$build/qt.conf"
}

# Qt's and the C++ runtime's DLLs for programs run from the build folder.
wine_path() {
    gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
    echo "Z:$qt/bin;Z:$gcc_dlls;Z:/usr/x86_64-w64-mingw32/lib"
}

# One run of the GUI test; it fails without results when Wine did not start
# it, but not when it ran out of time, which a second run would only repeat.
# Wine keeps QT_* variables from the program; it hands WINEQT_X on as QT_X.
# A failing case closes the modal window it opened, and the timeout stops
# anything else that would hang. Results go to a file: under Wine, QtTest's
# standard output is lost.
gui_test_run() {
    rm -f "$results"
    gui_status=0
    (cd "$build/tests/gui" && WINEPATH=$(wine_path) \
        WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu' \
        timeout 600 wine test_gui.exe -platform offscreen -o "Z:$results,txt") || gui_status=$?
    [ -s "$results" ] || [ "$gui_status" -eq 124 ]
}

run_gui_test() {
    results="$build/tests/gui/results.txt"
    retry gui_test_run || { echo "the GUI test wrote no results" >&2; return 1; }
    if [ -s "$results" ]; then
        grep -v '^QWARN' "$results" || true
    else
        echo "the GUI test ran out of time" >&2
    fi
    return "$gui_status"
}

installer() {
    need_qt
    sh "$root/scripts/install-deps.sh" packages nsis zip
    licence="$build/licence.txt"
    {
        cat "$root/LICENSE"
        printf '\n\n'
        cat "$root/NOTICE"
        printf '\n\nQt %s: GNU Lesser General Public License v3\n\n' "6.4.2"
        cat "$qt/LICENSES/LGPL-3.0-only.txt"
    } | sed 's/$/\r/' >"$licence"
    size_kb=$(du -sk "$deploy" | cut -f1)
    major_minor=$(echo "$version" | sed 's/^\([0-9]*\)\.\([0-9]*\).*/\1.\2/')
    setup="$build/chainforge-$version-setup.exe"
    makensis -V2 -DVERSION="$version" -DVERSION_DOTS="$major_minor.0.0" \
        -DDEPLOY="$deploy" -DDEPLOY_ICON="$root/resources/icons/chainforge.ico" \
        -DLICENCE="$licence" -DSIZE_KB="$size_kb" -DOUTFILE="$setup" \
        "$root/resources/windows/installer.nsi"
    portable="$build/chainforge-$version-windows-portable.zip"
    rm -f "$portable"
    (cd "$build" && zip -qr "$portable" Chainforge)
    echo "Installer: $setup ($(du -h "$setup" | cut -f1))"
    echo "Portable:  $portable ($(du -h "$portable" | cut -f1))"
}

# Starts a virtual X display for Wine's windows platform plugin.
start_display() {
    sh "$root/scripts/install-deps.sh" packages xvfb xdotool
    display_number=$((90 + $$ % 9))
    Xvfb ":$display_number" -screen 0 1280x900x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display_number"
    sleep 2
    wine_prefix
}

stop_display() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
}

install_silently() {
    wine "$setup" /S /CurrentUser && [ -f "$installed/chainforge.exe" ]
}

registry_has() {
    wine reg query "$1" 2>/dev/null | grep -q "$2"
}

# Starts the installed program on a file and waits until its window shows the
# file loaded.
opens_file() {
    wine "$installed/chainforge.exe" "Z:$build/installer-check.xml" &
    program=$!
    loaded=""
    for _ in $(seq 1 120); do
        if xdotool search --name "installer-check.xml - Chainforge" >/dev/null 2>&1; then
            loaded=yes
            break
        fi
        sleep 0.5
    done
    kill "$program" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -n "$loaded" ]
}

# The uninstaller runs from a copy in the temporary folder: wait for it.
uninstall_silently() {
    [ -e "$installed" ] || return 0
    wine "$installed/uninstall.exe" /CurrentUser /S
    wineserver -w
    [ ! -e "$installed" ]
}

# Installs silently, starts the installed program on a file until its window
# shows the file loaded, uninstalls silently, and checks nothing is left.
check_installer() {
    setup="$build/chainforge-$version-setup.exe"
    installed="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Chainforge"
    start_display
    trap stop_display EXIT
    retry install_silently
    for file in chainforge.exe chainforge-cli.exe uninstall.exe Qt6Core.dll \
        platforms/qwindows.dll LICENSE.txt; do
        test -f "$installed/$file" || { echo "installer check: $file not installed" >&2; exit 1; }
    done
    retry registry_has 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Chainforge' "$version"
    retry registry_has 'HKCU\Software\Classes\.xml\OpenWithProgids' Marlowick.Chainforge
    cp "$root/examples/sample-road.xml" "$build/installer-check.xml"
    retry opens_file ||
        { echo "installer check: the installed program never showed the file loaded" >&2; exit 1; }
    retry uninstall_silently ||
        { echo "installer check: $installed is left after uninstalling" >&2; exit 1; }
    if wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Chainforge' \
        >/dev/null 2>&1 || wine reg query 'HKCU\Software\Classes\Marlowick.Chainforge.LandXML' \
        >/dev/null 2>&1 || [ -n "$(find "$WINEPREFIX/drive_c/users" -name 'Chainforge.lnk')" ]; then
        echo "installer check: registry keys or the shortcut are left after uninstalling" >&2
        exit 1
    fi
    echo "installer check: installed, opened a file, uninstalled, nothing left"
}

screenshot() {
    start_display
    trap stop_display EXIT
    mkdir -p "$build/screenshots"
    (cd "$build" && WINEPATH=$(wine_path) wine chainforge-screenshots.exe -platform windows \
        "Z:$build/screenshots")
    echo "Screenshots in $build/screenshots"
}

case "${1:-}" in
    installer-only) installer ;;
    check-installer) check_installer ;;
    screenshot-only) screenshot ;;
    build) build ;;
    test)
        if ! have_qt; then
            echo "Windows desktop program: skipped: run make qt-windows"
            exit 0
        fi
        build
        # A prefix Wine cannot make says nothing of the program: said, with
        # Wine's log, and skipped.
        if ! wine_prefix; then
            echo "Windows desktop program: skipped: Wine could not make its prefix (see above)"
            exit 0
        fi
        run_gui_test
        installer
        check_installer
        ;;
    installer)
        build
        installer
        ;;
    screenshot)
        build
        screenshot
        ;;
    *)
        echo "usage: windows-desktop.sh build|test|installer|screenshot" >&2
        exit 2
        ;;
esac
