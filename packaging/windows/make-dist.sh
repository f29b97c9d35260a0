#!/bin/sh
# Lays out the Windows program with exactly the DLLs and plugins it loads,
# stripped, then packs it as dist/numoria-VERSION-win64.zip and as the
# installer dist/numoria-VERSION-setup.exe. Both come out byte for byte the
# same from any checkout of one commit: every time stamp is SOURCE_DATE_EPOCH
# (the last commit's time unless set) and every list is sorted.
# Usage: make-dist.sh EXE QT_PREFIX CXX STRIP MAKENSIS VERSION SOURCE_DIR WORK_DIR
set -eu
exe=$1 qt=$2 cxx=$3 strip=$4 makensis=$5 version=$6 source=$7 work=$8
# strip writes this time into the PE header of each file it rewrites.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
export TZ=UTC LC_ALL=C
name=numoria-$version-win64
stage=$work/$name
here=$source/packaging/windows

rm -rf "$stage"
mkdir -p "$stage" "$source/dist"
cp "$exe" "$source/resources/numoria.avi" "$stage/"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Svg; do cp "$qt/bin/$dll.dll" "$stage/"; done
# Qt loads these by name at run time: the window system, the native look,
# the SVG ideograms and the SVG window icon.
for plugin in platforms/qwindows styles/qwindowsvistastyle imageformats/qsvg iconengines/qsvgicon; do
    mkdir -p "$stage/${plugin%/*}"
    cp "$qt/plugins/$plugin.dll" "$stage/$plugin.dll"
done
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do cp "$("$cxx" -print-file-name=$dll)" "$stage/"; done
find "$stage" -name '*.dll' -o -name '*.exe' | xargs "$strip" --strip-unneeded

# Every DLL of Qt or of the compiler that something imports is shipped, and
# every one shipped is imported: Windows' own DLLs are all that is left.
imports=$(find "$stage" -name '*.dll' -o -name '*.exe' | xargs "${strip%strip}objdump" -p \
    | sed -n 's/^[[:space:]]*DLL Name: //p' | grep -E '^(Qt6|lib)' | sort -u)
shipped=$(cd "$stage" && ls ./*.dll | sed 's|^\./||' | sort)
if [ "$imports" != "$shipped" ]; then
    printf 'make-dist: imported:\n%s\nshipped:\n%s\n' "$imports" "$shipped" >&2
    exit 1
fi

cp "$source/LICENSE" "$stage/LICENSE.txt"
cp "$here/LICENSE.Qt.txt" "$stage/"
cp /usr/share/common-licenses/LGPL-3 "$stage/LGPL-3.0.txt"
cp /usr/share/common-licenses/GPL-3 "$stage/GPL-3.0.txt"

# The zip and the installer keep each file's time and mode: make them the
# commit's, not those of the moment and umask of this build.
chmod -R u=rwX,go=rX "$stage"
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

rm -f "$source/dist/$name.zip" "$source/dist/numoria-$version-setup.exe"
# Sorted names, and no Unix extra fields (owner, extra times).
(cd "$work" && find "$name" | sort | zip -q -9 -X -@ "$source/dist/$name.zip")

# Files go in, and the uninstaller deletes them, deepest folder first, in
# sorted order: makensis' own File /r walks folders in the file system's order.
files=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)
dirs=$(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r)
install_list=$work/install-list.nsh uninstall_list=$work/uninstall-list.nsh
echo "$files" | awk -v stage="$stage" '{
    dir = $0; if (!sub(/\/[^\/]*$/, "", dir)) dir = ""
    if (NR == 1 || dir != last) { out = dir; gsub(/\//, "\\", out); print "SetOutPath \"$INSTDIR" (dir == "" ? "" : "\\" out) "\""; last = dir }
    print "File \"" stage "/" $0 "\""
}' >"$install_list"
{
    echo "$files" | sed 's|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
    echo "$dirs" | sed 's|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|'
} >"$uninstall_list"
"$makensis" -V2 -DVERSION="$version" -DINSTALL_LIST="$install_list" -DUNINSTALL_LIST="$uninstall_list" \
    -DOUTFILE="$source/dist/numoria-$version-setup.exe" "$here/numoria.nsi"
ls -l "$source/dist/$name.zip" "$source/dist/numoria-$version-setup.exe"
