#!/usr/bin/env bash
# Builds the Debian package from the build and reads what it depends on: beside the libraries
# found from the executables, the fonts the program asks for by name and the toolkit's Japanese
# texts, which nothing links to, so that a machine with only what the package pulls in shows
# no English word.
#
#   package-depends.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "the package could not be made"; }
package=$(ls "$work"/verdane_*.deb)
depends=$(dpkg-deb --field "$package" Depends)
echo "Depends: $depends"
for wanted in fonts-ipafont-gothic qt6-translations-l10n 'libqt6widgets6 '; do
    [[ ", $depends " == *", $wanted"* ]] || fail "the package does not depend on ${wanted% }"
done
contents=$(dpkg-deb --contents "$package")
grep -q '/usr/share/man/ja/man1/verdane\.1\.gz$' <<<"$contents" ||
    fail "the package holds no Japanese manual page"
echo "the package depends on the fonts, the Japanese texts and the toolkit, and holds the Japanese manual"
