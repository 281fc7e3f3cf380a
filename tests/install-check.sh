#!/bin/sh
# Installs the build into a temporary prefix and checks that every file lies
# where a Linux desktop looks for it and nothing else is installed; then
# starts the installed program once, which must make the user's Conf folder
# from the installed defaults.
set -eu
build=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

expected="bin/gx-sim
bin/gx-velomat
lib/udev/rules.d/70-gx-velomat.rules
share/applications/$id.desktop
share/doc/gx-velomat/changelog.gz
share/doc/gx-velomat/copyright
share/gx-velomat/Conf/Hersteller.dat
share/gx-velomat/Conf/Hilfe.txt
share/gx-velomat/Conf/Lok0.bmp
share/icons/hicolor/scalable/apps/$id.svg
share/metainfo/$id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
    expected="$expected
share/icons/hicolor/${size}x$size/apps/$id.png"
done
printf '%s\n' "$expected" | sort >"$work/expected"
# The locomotive pictures are many; Lok0 stands for them, and they are counted.
(cd "$prefix" && find . -type f | sed 's|^\./||' |
    grep -v '^share/gx-velomat/Conf/Lok[a-z]\+\.bmp$' | sort) >"$work/found"
diff "$work/expected" "$work/found" ||
    { echo "installed files differ: < not installed, > not expected"; exit 1; }
[ "$(ls "$prefix/share/gx-velomat/Conf" | grep -c '^Lok.*\.bmp$')" -eq 17 ] ||
    { echo "locomotive pictures missing"; exit 1; }
for program in gx-velomat gx-sim; do
    [ -x "$prefix/bin/$program" ] || { echo "$program is not executable"; exit 1; }
done

# No Conf folder beside the installed program: it takes the user's data folder.
# (A sanitizer build looks for leaks in its own tests, not in this start.)
ASAN_OPTIONS=detect_leaks=0 XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/gx-velomat" --screenshot "$work/pictures" >/dev/null
cmp "$prefix/share/gx-velomat/Conf/Hilfe.txt" "$work/data/gx-velomat/Hilfe.txt"
[ -f "$work/pictures/MainWin.png" ] || { echo "the installed program drew no window"; exit 1; }
echo "installed as expected"
