#!/usr/bin/env bash
# Builds the Debian package as `make package` does and checks its control
# fields and that it holds exactly what `cmake --install` installs.
# package_test.sh BUILD_DIR VERSION   (CMAKE, CPACK: the tools to use)
set -euo pipefail
build=$1 version=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"${CPACK:-cpack}" --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
field() { dpkg-deb --field "$deb" "$1"; }

[ "$(field Package)" = tokiwa ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version-1" ] || fail "Version is $(field Version), not $version-1"
[[ "$(field Maintainer)" =~ ^.+\ \<.+@.+\>$ ]] || fail "Maintainer is '$(field Maintainer)'"

# The libraries come from dpkg-shlibdeps, the plugin and fonts from the list.
depends=$(field Depends)
names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
    qt6-qpa-plugins fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation; do
  grep -qxF "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
grep -qxF " Depends: $depends" <<<"$(dpkg-deb --info "$deb")" || fail "dpkg-deb --info does not list Depends"

# Same paths, same bytes: the package is the stripped install under /usr.
"${CMAKE:-cmake}" --install "$build" --prefix "$scratch/installed/usr" --strip >/dev/null
dpkg-deb --extract "$deb" "$scratch/unpacked"
diff -r "$scratch/installed" "$scratch/unpacked" || fail "the package differs from the installed files"
echo "$(basename "$deb"): $depends"
