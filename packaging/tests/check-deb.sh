#!/bin/sh
# Builds the Debian package with CPack into a scratch directory and reads it
# back: the files and links it holds, and the control fields, Depends above
# all, which dpkg-shlibdeps fills in from the executable.
# Usage: check-deb.sh CPACK BUILD_DIR BINDIR LIBDIR DATADIR VERSION
set -eu

cpack=$1 build=$2 bindir=$3 libdir=$4 datadir=$5 version=$6
id=org.example.Numoria

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg-deb dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (make deps installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
arch=$(dpkg --print-architecture)
deb=$work/numoria_${version}_$arch.deb
[ -f "$deb" ] || { ls "$work" >&2; fail "no $(basename "$deb")"; }

# Control fields.
dpkg-deb -f "$deb" >"$work/control"
field() { sed -n "s/^$1: //p" "$work/control"; }
[ "$(field Package)" = numoria ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Section)" = education ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
for package in libqt6widgets6 libqt6core6 libc6 libstdc++6; do
    # Only dpkg-shlibdeps writes these, with the lowest version that works.
    echo "$depends" | grep -q "$package (>= " || fail "Depends lacks '$package (>= ...)': $depends"
done
for package in libqt6svg6 libqt6gui6; do
    echo "$depends" | grep -q -E "(^|, )$package( |,|$)" || fail "Depends lacks $package: $depends"
done
dpkg-deb -I "$deb" | grep -q "^ Description: write whole numbers in Chinese numerals" \
    || fail "the description's synopsis is wrong"

# Contents: modes, owners, the relative link.
dpkg-deb -c "$deb" >"$work/contents"
expect() {
    grep -q -E "^$1 root/root +[0-9]+ [0-9-]+ [0-9:]+ \./usr/$2\$" "$work/contents" \
        || { cat "$work/contents" >&2; fail "the package lacks $1 /usr/$2"; }
}
expect -rwxr-xr-x "$libdir/numoria/numoria"
expect -rw-r--r-- "$libdir/numoria/numoria.avi"
up=$(echo "$bindir" | sed 's|[^/][^/]*|..|g')
expect lrwxrwxrwx "$bindir/numoria -> $up/$libdir/numoria/numoria"
expect -rw-r--r-- "$datadir/applications/$id.desktop"
expect -rw-r--r-- "$datadir/metainfo/$id.metainfo.xml"
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    expect -rw-r--r-- "$datadir/icons/hicolor/$size/apps/$id.png"
done
expect -rw-r--r-- "$datadir/icons/hicolor/scalable/apps/$id.svg"
expect -rw-r--r-- "$datadir/doc/numoria/copyright"

# What is installed is what was built, stripped.
dpkg-deb -x "$deb" "$work/root"
file "$work/root/usr/$libdir/numoria/numoria" | grep -q "ELF.*, stripped" \
    || fail "the executable is not a stripped ELF file: $(file "$work/root/usr/$libdir/numoria/numoria")"
cmp -s "$work/root/usr/$libdir/numoria/numoria.avi" "$build/numoria.avi" \
    || fail "the packaged numoria.avi differs from the built one"

echo "numoria_${version}_$arch.deb: contents and control fields as expected"
