#!/usr/bin/env bash
# Builds the Debian package from a release build of its own, as a user
# would, and checks it: its control fields and changelog, what lintian says
# of it, and that it holds what `cmake --install --prefix /usr` lays out.
# Then unpacks it and checks the unpacked tree as an installed one: the
# program started from there must find its picture and quit with 0.
#   debian_package.sh CMAKE GENERATOR COMPILER SOURCE_DIR BUILD_DIR VERSION DRIVER
set -euo pipefail
cmake=$1 generator=$2 compiler=$3 source=$4 build=$5 version=$6 driver=$7
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/installed_tree.sh"

# Warnings left on purpose. no-manual-page: the program takes no options and
# says how it is used in its own About window.
accepted_warnings=no-manual-page

# The release build, as tools/start configures it.
"$cmake" -S "$source" -B "$build" -G "$generator" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=Release \
    -DLV_TESTS=OFF -DLV_BENCH=OFF >/dev/null
rm -f "$build"/*.deb
"$cmake" --build "$build" --target package --parallel 4 >"$work/build.log" || { cat "$work/build.log" >&2; exit 1; }
deb=$build/lirra-veriz_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "the build made no $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = lirra-veriz ] || fail "the package is named $(field Package)"
[ "$(field Version)" = "$version" ] || fail "the package's version is $(field Version), not $version"
[ "$(field Section)" = utils ] || fail "the package's section is $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@]+@[^\>]+\>$ ]] || fail "the maintainer is '$(field Maintainer)'"
[ "$(field Description | wc -l)" -gt 2 ] || fail "the package has no long description"
depends=", $(field Depends),"
for library in 'libqt6widgets6[^ ,]*' 'libespeak-ng1[^ ,]*' 'libpulse0[^ ,]*' espeak-ng-data; do
    [[ "$depends" =~ ,\ $library[\ ,] ]] || fail "Depends does not name $library:$depends"
done

# The package holds exactly what installing to /usr lays out.
dpkg-deb -x "$deb" "$work/root"
DESTDIR=$work/installed "$cmake" --install "$build" --prefix /usr >/dev/null
diff <(cd "$work/installed" && find . | sort) <(cd "$work/root" && find . | sort) >&2 ||
    fail "the package and cmake --install --prefix /usr lay out different files"

# The changelog's latest entry is the version packaged; the copyright file
# carries the licence.
doc=$work/root/usr/share/doc/lirra-veriz
[ "$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)" = "$version" ] ||
    fail "the changelog's latest entry is not $version"
grep -q "^License: Expat$" "$doc/copyright" || fail "the copyright file names no licence"
grep -q "^ Permission is hereby granted" "$doc/copyright" || fail "the copyright file lacks the licence"

lintian --fail-on error,warning --suppress-tags "$accepted_warnings" "$deb" >&2 || fail "lintian finds fault"

# Unpacked, it works as an installed tree.
check_installed_tree "$work/root/usr"
run_installed_program "$work/root/usr" "$driver"
echo "debian package: $(basename "$deb"); control fields, changelog and lintian clean; unpacked program found its picture; quit with 0"
