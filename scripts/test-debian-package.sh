#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package, has lintian review it, installs it with apt as an
# administrator would, uses the installed /usr/bin/zenitor end to end, purges it
# again and checks that none of its files and no package state remain. Changes the system: run it on a
# machine where zenitor is not installed otherwise. Needs root.
#   bash scripts/test-debian-package.sh [package build folder] [test build folder]
# The test build folder (default build-tests) provides zenitor_render_readout.
set -euo pipefail
cd "$(dirname "$0")/.."
package_build="${1:-build-deb}"
test_build="${2:-build-tests}"
render_readout=$test_build/tests/e2e/zenitor_render_readout

fail() {
    echo "FAIL: $*"
    exit 1
}

bash scripts/install-debian-packages.sh test
export ZENITOR_DEBIAN_PACKAGES_INSTALLED=test
[ -x "$render_readout" ] || fail "$render_readout is missing; build $test_build first"
if dpkg-query -W -f='${db:Status-Status}' zenitor 2>/dev/null | grep -qv '^not-installed$'; then
    fail "zenitor is installed on this machine already; remove it first (apt-get purge zenitor)"
fi

bash scripts/build-debian-package.sh "$package_build"
packages=("$package_build"/zenitor_*.deb)
((${#packages[@]} == 1)) || fail "expected one package, found: ${packages[*]}"
package=${packages[0]}

# What dpkg-shlibdeps cannot see must be declared by hand.
depends=$(dpkg-deb -f "$package" Depends)
echo "Depends: $depends"
for needed in fonts-liberation2 qt6-translations-l10n libqt6widgets6 libc6; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "the package does not depend on $needed"
done
[ "$(dpkg-deb -f "$package" Package)" = zenitor ] || fail "the package is not named zenitor"
# Every path of the package, as dpkg-deb lists it, without the leading dot.
dpkg-deb --fsys-tarfile "$package" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$' >"$package_build/package-paths"
for expected in /usr/bin/zenitor /usr/lib/zenitor/zenitor /usr/lib/zenitor/liste.txt \
    /usr/share/applications/org.zenitor.Zenitor.desktop /usr/share/metainfo/org.zenitor.Zenitor.metainfo.xml \
    /usr/share/man/man1/zenitor.1.gz /usr/share/icons/hicolor/scalable/apps/org.zenitor.Zenitor.svg \
    /usr/share/doc/zenitor/copyright /usr/share/doc/zenitor/changelog.Debian.gz \
    /usr/share/lintian/overrides/zenitor; do
    grep -qx "$expected" "$package_build/package-paths" || fail "the package lacks $expected"
done

# A package reviewer's first look: every error and warning fails unless the package's own
# overrides give the reason for it. Informational tags are shown, not counted.
lintian --fail-on error,warning --display-info "$package" ||
    fail "lintian reports errors or warnings that the package does not override"

apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"; }
installed=0
purge_on_exit() {
    if ((installed)); then apt_get purge -y -qq zenitor >/dev/null || true; fi
}
trap purge_on_exit EXIT

(cd "$package_build" && apt_get install -y -qq ./zenitor_*.deb)
installed=1
[ "$(dpkg-query -W -f='${db:Status-Abbrev}' zenitor)" = "ii " ] || fail "zenitor is not installed after apt-get install"

bash tests/e2e/installed-program.sh /usr/bin/zenitor "$render_readout" "$package_build/artifacts/e2e" ||
    fail "the installed package did not pass the end-to-end test (exit status $?)"

apt_get purge -y -qq zenitor
installed=0

# Nothing of the package may stay: no file or link, and no folder that no other package owns.
left=()
while IFS= read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || continue
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        dpkg-query -S "$path" >/dev/null 2>&1 || left+=("$path")
    else
        left+=("$path")
    fi
done <"$package_build/package-paths"
((${#left[@]} == 0)) || fail "left behind after purge: ${left[*]}"
status=$(dpkg-query -W -f='${db:Status-Status}' zenitor 2>/dev/null || echo not-installed)
[ "$status" = not-installed ] || fail "dpkg still records zenitor as $status"
ls /var/lib/dpkg/info/zenitor.* >/dev/null 2>&1 && fail "dpkg still holds files of zenitor: $(ls /var/lib/dpkg/info/zenitor.*)"
echo "PASS: the package installs, runs end to end and purges cleanly"
