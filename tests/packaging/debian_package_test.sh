#!/bin/bash
# The Debian package: built by CPack, with the dependencies this system can satisfy (found from
# the binaries, plus the fonts), holding exactly the install tree; installed with dpkg into a
# private root, played from its menu entry by a new player, and removed without a trace.
# Usage: debian_package_test.sh <cpack> <build dir>
set -euo pipefail
here=$(dirname "$0")
. "$here/testlib.sh"
need dpkg dpkg-deb dpkg-shlibdeps

cpack=$1
build=$2
work=$(mktemp -d)
trap 'keep_on_failure "$work"' EXIT

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/package/*.deb)
[ "${#debs[@]}" = 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single .deb"
deb=${debs[0]}

# --- Control fields -------------------------------------------------------------------------
[ "$(dpkg-deb -f "$deb" Package)" = brixolan ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "not in section games"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
IFS=',' read -ra items <<<"$depends"
names=" "
for item in "${items[@]}"; do
    item=${item# }
    names+="${item%% *} "
done
for required in fonts-3270 fonts-comic-neue fonts-dejavu-core libqt6widgets6 libqt6gui6 \
    libqt6core6 libstdc++6 libc6; do
    [[ $names == *" $required "* ]] || fail "Depends lacks $required"
done
# Every dependency is met on this system, so the package installs on it as it is.
for item in "${items[@]}"; do
    item=${item# }
    name=${item%% *}
    installed=$(dpkg-query -W -f='${Version}' "$name" 2>/dev/null) ||
        fail "dependency $name is not a package of this system"
    if [[ $item =~ \((\>=|\<=|=|\>\>|\<\<)\ ([^\)]+)\) ]]; then
        op=${BASH_REMATCH[1]}
        version=${BASH_REMATCH[2]}
        case $op in '>=') op=ge ;; '<=') op=le ;; '=') op=eq ;; '>>') op=gt ;; '<<') op=lt ;; esac
        dpkg --compare-versions "$installed" "$op" "$version" ||
            fail "dependency $item is not met by $name $installed"
    fi
done

# --- Contents: the same files as a plain install under /usr, and no maintainer scripts ----
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/||' | LC_ALL=C sort \
    >"$work/contents"
expected_files >"$work/expected"
same_listing "the package holds other files than an install" "$work/expected" "$work/contents"
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm; do
    [ ! -e "$work/control/$script" ] || fail "the package runs a $script script"
done

# --- Installed into a private root, played, removed -----------------------------------------
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status" "$root/var/lib/dpkg/available"
dpkg_root() {
    dpkg --root="$root" --log="$work/dpkg.log" --force-not-root "$@" >>"$work/dpkg.out" 2>&1 ||
        { cat "$work/dpkg.out" >&2; fail "dpkg $* failed"; }
}
# The root knows none of the system's packages; their presence was checked above.
dpkg_root --force-depends --install "$deb"
[ -x "$root/usr/games/brixolan" ] || fail "dpkg did not install the program"

bash "$here/play_first_game.sh" "$root/usr/share/applications/brixolan.desktop" "$root" "$work/play"

dpkg_root --remove brixolan
leftovers=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' \
    -not -path './var/lib/dpkg' -not -path './var/lib/dpkg/*')
[ -z "$leftovers" ] || fail "the removal left: $leftovers"
echo "package built, installed, played and removed"
