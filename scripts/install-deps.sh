#!/bin/sh
# Installs, with apt-get, the Debian packages that a command needs and that
# are not installed yet. Does nothing when all are there, so every make target
# can call it every time.
# Usage: install-deps.sh [group...]. With no group: what building and running
# need (make run). The groups add what other commands need:
#   test     virtual displays, window managers, Wayland and the validators (make test)
#   package  the packaging tools, and diffoscope to explain two builds that differ (make package)
#   fuzz     clang and its libFuzzer runtime, llvm for readable crash stacks (make fuzz)
#   bench    ICU, Google Benchmark, FFmpeg for its clips, a virtual display (make bench)
#   windows  the mingw-w64 cross compiler, Wine, NSIS and zip (make windows, make test-windows)
#   fixtures FFmpeg, for the scripts that make clips and their expected frames
set -eu

packages="
cmake
g++
make
ninja-build
pkg-config
qt6-base-dev
qt6-svg-dev
libfontconfig-dev
qt6-qpa-plugins
libgl-dev
fonts-dejavu-core
"
display="xvfb xauth xdotool x11-utils x11-xkb-utils imagemagick"
packaging="desktop-file-utils appstream dpkg-dev file"

for group in "$@"; do
    case "$group" in
        # KWin frames no window without a decoration: Breeze is Plasma's own.
        test) packages="$packages $display $packaging openbox xfwm4 mutter kwin-x11 kwin-style-breeze dbus wmctrl weston qt6-wayland" ;;
        package) packages="$packages $packaging diffoscope" ;;
        fuzz) packages="$packages clang libclang-rt-14-dev llvm" ;;
        bench) packages="$packages libicu-dev libbenchmark-dev python3 ffmpeg $display" ;;
        windows) packages="$packages g++-mingw-w64-x86-64-posix wine64 fonts-wine nsis zip xz-utils ccache $display" ;;
        fixtures) packages="$packages ffmpeg python3" ;;
        *)
            echo "install-deps: unknown package group '$group' (known: test, package, fuzz, bench, windows, fixtures)" >&2
            exit 2
            ;;
    esac
done

missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "install-deps: run as root, or install sudo, to install:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
