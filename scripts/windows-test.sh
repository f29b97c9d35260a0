#!/bin/sh
# The Windows suite under Wine, headless: a Wine prefix of its own inside the
# build folder, CTest with Wine as the emulator, then the installer and the
# installed program in a real window under Xvfb.
# Usage: windows-test.sh [BUILD_DIR]   (after make windows and a full build)
set -eu
build=$(cd "${1:-build-windows}" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
wine=/usr/lib/wine/wine64
runtime() { dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")"; }

export WINEPREFIX="$build/wine-prefix" WINEARCH=win64 WINEDEBUG=-all LC_ALL=C.UTF-8
# No Mono or Gecko prompt; a crash exits instead of waiting in the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEPATH="Z:$build/qt/bin;Z:$(runtime libstdc++-6.dll);Z:$(runtime libwinpthread-1.dll)"
# Wine passes QT_ variables on only under this prefix. The offscreen
# platform on Windows looks for fonts in one folder: Debian's DejaVu.
export WINEQT_QPA_PLATFORM=offscreen WINEQT_FORCE_STDERR_LOGGING=1
export WINEQT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/dejavu

# One server for the suite, once any earlier one has ended; after the last
# program has been gone 5 s, it ends Wine's own services and itself.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -w
/usr/lib/wine/wineserver -p5
trap '/usr/lib/wine/wineserver -w' EXIT
# Makes the prefix the first time; and Wine's services start now, so they
# hold no test's output open and CTest never waits for them.
"$wine" wineboot >/dev/null 2>&1
(cd "$build" && ctest --output-on-failure -j 2)
/usr/lib/wine/wineserver -w

# The installer and the installed program in a real window: a new Wine
# session, as the last one had no display to draw on.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
xvfb-run -a -s "-screen 0 800x600x24" sh "$source/tests/windows/installed_window.sh" "$wine" \
    "$source/dist/numoria-$version-setup.exe" "$build/numoria_window_probe.exe" "$build/screenshots"
