#!/usr/bin/env bash
# Installs the build into a temporary root (DESTDIR) as the package lays it out, and runs the
# installed program through its link in usr/bin on a virtual X display: it must find its content
# library, content file and documents in its own folder below usr/lib, show its window, end with
# 0 on a close request, and write nothing into the installed tree.
#
#   staged-install.sh CMAKE BUILD_DIR SOURCE_DIR SEND_CLOSE_REQUEST
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../tools/virtual-display.sh"
cmake=$1
build=$2
source=$3
send_close=$4
fail() { echo "$*" >&2; exit 1; }

use_virtual_display
unset QT_QPA_PLATFORM
root=$work/root
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >"$work/install.log" ||
    { cat "$work/install.log" >&2; fail "the staged install failed"; }
folder=$root/usr/lib/verdane

# The program's folder holds what ships and nothing else, in the build tree as installed.
shipped_only() { # FOLDER
    (cd "$1" && find . ! -type d |
        grep -Ev '^\./(verdane|libtessera\.so|verdane-content\.zip|PDF/[a-z0-9]+\.pdf)$' || true)
}
stray=$(shipped_only "$build/program")
[ -z "$stray" ] || fail "the build's program folder holds what does not ship: $stray"
for shipped in verdane libtessera.so verdane-content.zip PDF/howto.pdf PDF/license{1..8}.pdf; do
    [ -f "$folder/$shipped" ] || fail "usr/lib/verdane/$shipped was not installed"
done
stray=$(shipped_only "$folder")
[ -z "$stray" ] || fail "usr/lib/verdane holds what does not ship: $stray"
[ -L "$root/usr/bin/verdane" ] || fail "usr/bin/verdane is not a link"
[ "$(readlink -f "$root/usr/bin/verdane")" = "$folder/verdane" ] ||
    fail "usr/bin/verdane leads to $(readlink -f "$root/usr/bin/verdane"), not the program"
echo "the program's folder holds what ships; usr/bin/verdane leads to it"

# Each icon has the size its folder names: a desktop scales a wrong one or shows none.
icons=$(find "$root/usr/share/icons/hicolor" -name verdane.png | sort)
[ -n "$icons" ] || fail "no icon was installed"
for icon in $icons; do
    named=$(basename "$(dirname "$(dirname "$icon")")")
    [ "$(identify -format '%wx%h' "$icon")" = "$named" ] || fail "$icon is not $named"
done
for file in applications/verdane.desktop metainfo/org.verdane.Verdane.metainfo.xml \
            doc/verdane/copyright doc/verdane/changelog.gz man/man1/verdane.1.gz \
            man/man1/verdane-pack.1.gz man/ja/man1/verdane.1.gz man/ja/man1/verdane-pack.1.gz; do
    [ -f "$root/usr/share/$file" ] || fail "usr/share/$file was not installed"
done
echo "icons in $(echo "$icons" | wc -l) sizes, desktop entry, metainfo, manual pages and documentation installed"

# The installed packer stands alone.
version=$("$root/usr/bin/verdane-pack" --version) || fail "verdane-pack --version failed"
[[ $version == "verdane-pack "[0-9]* ]] || fail "verdane-pack --version printed: $version"
"$root/usr/bin/verdane-pack" --help | grep -q '^usage: verdane-pack' || fail "no usage in --help"
"$root/usr/bin/verdane-pack" "$work/packed.zip" "$source/data" >/dev/null ||
    fail "the installed verdane-pack cannot pack the sample content"
echo "usr/bin/verdane-pack answers $version, --help, and packs the sample content"

# The program runs from a tree it may not write to, and leaves it as it was. The desktop's
# document viewer is a stand-in that notes what it was asked to open.
chmod -R a-w "$root"
listing() { (cd "$root" && find . -printf '%p %s %T@ %M\n' | sort); }
before=$(listing)
mkdir "$work/viewer"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened" >"$work/viewer/xdg-open"
chmod +x "$work/viewer/xdg-open"
export PATH="$work/viewer:$PATH"
cd "$work"

"$root/usr/bin/verdane" &
pid=$!
window=$(wait_for_window "$pid")
echo "main window $window shown"
grep -q " $folder/libtessera.so$" "/proc/$pid/maps" ||
    fail "the program did not load the content library of its own folder"
content=$(find "/proc/$pid/fd" -lname "$folder/verdane-content.zip" 2>/dev/null)
[ -n "$content" ] || fail "the program does not hold its content file open"
echo "it uses usr/lib/verdane/libtessera.so and usr/lib/verdane/verdane-content.zip"

# The how-to picture in the header (dialog units 450,3 78x15) opens the guide from PDF/.
xdotool mousemove --window "$window" 856 15 click 1
for _ in $(seq 100); do [ -s "$work/opened" ] && break; sleep 0.1; done
[ -s "$work/opened" ] || fail "the how-to picture opened nothing"
opened=$(head -n 1 "$work/opened")
[ "$opened" = "file://$folder/PDF/howto.pdf" ] || fail "the how-to picture opened $opened"
echo "the how-to picture opens usr/lib/verdane/PDF/howto.pdf"

"$send_close" "$window"
set +e
wait "$pid"
code=$?
set -e
pid=
[ "$code" = 0 ] || fail "closing ended the installed program with $code"
echo "close request ended the installed program with exit code 0"
[ "$(listing)" = "$before" ] || { diff <(echo "$before") <(listing) >&2; fail "the program changed its installed tree"; }
echo "the installed tree is as it was"
chmod -R u+w "$root" # so that the exit trap can remove it
