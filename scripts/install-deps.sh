#!/bin/sh
# Installs, with apt-get, the Debian packages that building, running and
# testing Numoria need and that are not installed yet. Does nothing when all
# are there, so `make run` and `make test` can call it every time.
# Usage: install-deps.sh [group...]; the groups add what other commands need:
#   fuzz   clang and its libFuzzer runtime, llvm for readable crash stacks (make fuzz)
#   bench  ICU, Google Benchmark, Python and a virtual X server (make bench)
#   windows  the mingw-w64 cross compiler, Wine, NSIS and zip (make windows, make test-windows)
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
xvfb
xauth
xdotool
x11-utils
openbox
x11-xkb-utils
imagemagick
ffmpeg
desktop-file-utils
appstream
dpkg-dev
file
"

for group in "$@"; do
    case "$group" in
        fuzz) packages="$packages clang libclang-rt-14-dev llvm" ;;
        bench) packages="$packages libicu-dev libbenchmark-dev python3 xvfb xauth xdotool" ;;
        windows) packages="$packages g++-mingw-w64-x86-64-posix wine64 fonts-wine nsis zip xz-utils ccache xvfb xauth xdotool imagemagick" ;;
        *)
            echo "install-deps: unknown package group '$group' (known: fuzz, bench, windows)" >&2
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
