#!/bin/sh
# Installs the build into a staging tree as /usr, validates the desktop entry
# and the AppStream metainfo, checks the layout, then starts the installed
# program through its bindir link on a virtual display and sees its clip play.
# Usage: check-install.sh CMAKE BUILD_DIR BINDIR LIBDIR DATADIR MANDIR VERSION
set -eu

cmake=$1 build=$2 bindir=$3 libdir=$4 datadir=$5 mandir=$6 version=$7
here=$(cd "$(dirname "$0")" && pwd)
id=org.example.Numoria

fail() { echo "FAIL: $*" >&2; exit 1; }
need() {
    command -v "$1" >/dev/null 2>&1 || fail "$1 is missing (Debian package $2; make deps installs it)"
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need xvfb-run xvfb
need xdotool xdotool
need import imagemagick

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage

DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
    || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
root=$stage/usr

# Layout: the private directory, the link, the desktop files, the docs.
private=$root/$libdir/numoria
[ -x "$private/numoria" ] && [ ! -L "$private/numoria" ] || fail "no executable at $libdir/numoria/numoria"
[ -f "$private/numoria.avi" ] || fail "no numoria.avi beside the executable"
link=$root/$bindir/numoria
[ -L "$link" ] || fail "$bindir/numoria is not a symbolic link"
target=$(readlink "$link")
case "$target" in
    /*) fail "$bindir/numoria points at the absolute path $target" ;;
esac
[ "$(readlink -f "$link")" = "$(readlink -f "$private/numoria")" ] \
    || fail "$bindir/numoria -> $target does not reach $libdir/numoria/numoria"
desktop=$root/$datadir/applications/$id.desktop
metainfo=$root/$datadir/metainfo/$id.metainfo.xml
for file in "$desktop" "$metainfo" "$root/$mandir/man1/numoria.1.gz" \
    "$root/$datadir/doc/numoria/copyright" "$root/$datadir/doc/numoria/changelog.gz"; do
    [ -f "$file" ] || fail "missing ${file#"$stage"}"
done
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    icon=$root/$datadir/icons/hicolor/$size/apps/$id.png
    [ -f "$icon" ] || fail "missing icon ${icon#"$stage"}"
    [ "$(identify -format '%wx%h' "$icon")" = "$size" ] || fail "${icon#"$stage"} is not $size"
done
[ -f "$root/$datadir/icons/hicolor/scalable/apps/$id.svg" ] || fail "missing the scalable icon"

# The desktop entry: clean but for one hint, since the menu asks for both
# Education and Utility.
allowed_hint="$desktop: hint: value \"Qt;Education;Utility;\" for key \"Categories\" in group \"Desktop Entry\" contains more than one main category; application might appear more than once in the application menu"
if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1; then
    cat "$work/desktop.log" >&2
    fail "desktop-file-validate failed"
fi
if grep -v -x -F "$allowed_hint" "$work/desktop.log" >&2; then
    fail "desktop-file-validate has more to say (above)"
fi
grep -q -x "Exec=numoria" "$desktop" || fail "the desktop entry does not run numoria"
grep -q -x "Icon=$id" "$desktop" || fail "the desktop entry does not use the $id icon"

# The metainfo: no error, warning or info at all.
if ! appstreamcli validate --no-net "$metainfo" >"$work/metainfo.log" 2>&1; then
    cat "$work/metainfo.log" >&2
    fail "appstreamcli validate failed"
fi
if grep -E '^[EWI]:|errors:|warnings:|infos:' "$work/metainfo.log" >&2; then
    fail "appstreamcli validate has more to say (above)"
fi
grep -q "<release version=\"$version\"" "$metainfo" \
    || fail "the metainfo has no release $version: add it with its date"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the metainfo does not launch $id.desktop"

# The installed program, started the way the menu starts it.
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
    xvfb-run -a -s "-screen 0 640x480x24" sh "$here/check-animation.sh" "$link" "$work" playing

# The same check must notice a program that cannot find its clip.
mv "$private/numoria.avi" "$private/moved.avi"
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
    xvfb-run -a -s "-screen 0 640x480x24" sh "$here/check-animation.sh" "$link" "$work" missing

echo "installed tree, desktop entry, metainfo and running program all good"
