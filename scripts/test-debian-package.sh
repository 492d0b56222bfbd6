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

# A package reviewer's look, down to the informational and pedantic tags: every tag fails
# unless the package's own overrides give the reason for it, a comment line just above.
overrides=packaging/debian/lintian-overrides
previous=""
while IFS= read -r line; do
    if [ -n "$line" ] && [[ $line != \#* ]] && [[ $previous != \#* ]]; then
        fail "$overrides: no reason in the line above: $line"
    fi
    previous=$line
done <"$overrides"
lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$package" ||
    fail "lintian reports tags that the package does not override"

# The hardening Debian builds with, as readelf sees it in the packaged program; lintian
# checks the fortified functions above but cannot see the stack protector.
dpkg-deb --fsys-tarfile "$package" | tar -xO ./usr/lib/zenitor/zenitor >"$package_build/package-program"
dynamic=$(readelf -d "$package_build/package-program")
segments=$(readelf -l "$package_build/package-program")
symbols=$(readelf --dyn-syms -W "$package_build/package-program")
grep -q 'BIND_NOW' <<<"$dynamic" || fail "the program's relocations are not bound at start (no BIND_NOW)"
grep -qE 'FLAGS_1.* PIE' <<<"$dynamic" || fail "the program is not a position-independent executable"
grep -q GNU_RELRO <<<"$segments" || fail "the program has no read-only relocations"
grep -q ' __stack_chk_fail' <<<"$symbols" || fail "the program is built without stack protector"

# The software centre lists a release for each upstream version the package's history names.
dpkg-deb --fsys-tarfile "$package" | tar -xO ./usr/share/metainfo/org.zenitor.Zenitor.metainfo.xml \
    >"$package_build/package-metainfo.xml"
while IFS= read -r version; do
    upstream=${version#*:}
    upstream=${upstream%-*}
    grep -q "<release version=\"$upstream\"" "$package_build/package-metainfo.xml" ||
        fail "the AppStream entry has no release $upstream, which the Debian changelog names"
done < <(dpkg-parsechangelog -l packaging/debian/changelog --all --format rfc822 | sed -n 's/^Version: //p')

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
