#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: built by CPack, lintian clean, its dependencies met by this system, holding
# exactly the install tree. Installed with dpkg into a private root, its program answers --help
# and --version without a display, and a new player's first session runs from the menu entry on
# a private X server, driven from outside with xdotool as a person would: play a game to its
# end without touching a key, enter a name, hand the result to the score page, quit. The game
# keeps everything in the player's folder, and never loads a library planted there; the
# removal leaves no trace.
# Usage: debian_package_test.sh <cpack> <build dir> <stand-in library>
. "$(dirname "$0")/testlib.sh"
need dpkg dpkg-deb dpkg-shlibdeps dpkg-checkbuilddeps dpkg-parsechangelog lintian Xvfb xdotool

logged cpack "$1" -G DEB --config "$2/CPackConfig.cmake" -B "$work/package"
deb=$(echo "$work"/package/*.deb)
[ -f "$deb" ] || fail "cpack made no single .deb"
version=$(dpkg-deb -f "$deb" Version)

# One info tag accepted: info.txt is the guide the game shows in its own window, data rather
# than documentation. A sanitizer build is unoptimised, so it cannot be fortified.
accepted=package-contains-documentation-outside-usr-share-doc
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/games/brixolan >"$work/program"
if grep -aq __asan_init "$work/program"; then accepted+=,hardening-no-fortify-functions; fi
lintian -I --fail-on error,warning,info --suppress-tags "$accepted" "$deb" || fail "lintian"

fields=$(dpkg-deb -f "$deb" Package Section Recommends)
[ "$fields" = $'Package: brixolan\nSection: games\nRecommends: qt6-wayland' ] ||
    fail "the package's name, section or Recommends are not brixolan, games, qt6-wayland: $fields"
depends=$(dpkg-deb -f "$deb" Depends)
for required in fonts-3270 fonts-comic-neue fonts-dejavu-core qt6-translations-l10n \
    libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
    [[ ", $depends," == *", $required"[\ ,]* ]] || fail "Depends lacks $required: $depends"
done
# Met here, so the package installs on this system as it is.
dpkg-checkbuilddeps -d "$depends" /dev/null || fail "Depends are not met on this system"

dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/||' |
    expect_install_files "the package holds other files than an install"
dpkg-deb -e "$deb" "$work/control"
! ls "$work/control" | grep -E '^(pre|post)(inst|rm)$' || fail "the package has maintainer scripts"

root=$work/root
mkdir -p "$root"/var/lib/dpkg/{info,updates,triggers}
touch "$root"/var/lib/dpkg/{status,available}
dpkg_root() { logged dpkg-output dpkg --root="$root" --log="$work/dpkg.log" --force-not-root "$@"; }
# The root knows none of the system's packages; that they are met was checked above.
dpkg_root --force-depends --install "$deb"

# The newest changelog entry is this version, and the AppStream file's newest release with it.
zcat "$root/usr/share/doc/brixolan/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ] ||
    fail "the changelog's newest entry is not $version"
day=$(date -u -d "$(dpkg-parsechangelog -l "$work/changelog" -S Date)" +%F)
grep -m 1 '<release ' "$root/usr/share/metainfo/example.brixolan.brixolan.metainfo.xml" |
    grep -q "<release version=\"$version\" date=\"$day\"" ||
    fail "the AppStream file's newest release is not $version of $day"

# Options, in German, without a display; the new player's home stays empty.
home=$work/home
player=$home/.local/share/brixolan
options() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb LC_ALL=C HOME="$home" \
        "$root/usr/games/brixolan" "$@" >"$work/out" 2>"$work/err"
}
options --help && grep -q '^Aufruf:' "$work/out" && grep -q -- '--version' "$work/out" ||
    fail "--help does not print the German usage"
options --version && [ "$(cat "$work/out")" = "Brixolan $version" ] ||
    fail "--version does not print Brixolan $version"
status=0
options --bogus || status=$?
[ "$status" = 2 ] && [ ! -s "$work/out" ] && grep -q '^Aufruf:' "$work/err" ||
    fail "an unknown option does not end with status 2 and the usage on stderr"

# --- The first session -----------------------------------------------------------------------
mkdir -p "$player" "$work/cache"
# The score page is opened by the desktop's handler; this one only notes the address.
stand_in_browser "$work"

start_xvfb
LIMIT=30 # as long as the other process tests wait: a loaded machine starts slowly

program=$root$(sed -n 's/^Exec=//p' "$root/usr/share/applications/brixolan.desktop" | tr -d '"')
[ -x "$program" ] || fail "the menu entry's program $program is not there"
# A bare session as a desktop starts it, its output in $work/game.log; caches of the system's
# libraries (fontconfig) are not the game's files and go beside the home folder.
cp "$3" "$player/libeks.so" # only the installed library is loaded, and makes the address
# A returning player's table whose last place a game without keys can beat.
for place in 1 2 3 4 5 6 7 8; do printf 'NoBody\r\n%d\r\n' $((90 - place)); done >"$player/score.sre"
folder=$work
start_copy HOME="$home" USER=player PATH="$work/bin:/usr/bin:/bin" XDG_CACHE_HOME="$work/cache" \
    BRIXOLAN_STAND_IN_MARK="$work/stand-in-loaded"
main=$(window "Brixolan $version Release") || fail "no main window"

# "Neues Spiel" at level 9 with six pairs of filled rows: a game without keys ends in seconds.
file_menu Down Down Return
dialog=$(window "Neues Spiel") || fail "the new-game dialog did not open"
for _ in $(seq 9); do click "$dialog" 251 32; done  # right arrow of the level bar
for _ in $(seq 6); do click "$dialog" 251 104; done # right arrow of the height bar
click "$dialog" 96 236                              # "Starten"
window Highscore 90 >/dev/null || fail "the game did not end with a place in the table"
enter_name "Erster Spieler"

# The banner hands the encoded result to the score page: the score-code library was found.
click "$table" 200 324
within 10 grep -Eqs '^https://score\.brixolan\.example/score\.php\?punkte=[A-Za-z0-9_-]+$' "$work/opened" ||
    fail "the banner opened no address the installed library makes: $(cat "$work/opened" 2>/dev/null)"
[ ! -e "$work/stand-in-loaded" ] || fail "the library in the player's folder was loaded"
click "$table" 204 376 # "OK", below the banner
within 10 untitled HighScore || fail "\"OK\" did not close the highscore window"
grep -q "^Erster Spieler"$'\r$' "$player/score.sre" || fail "the name is not in score.sre"

file_menu Up Return # "Beenden"
expect_end 0 "\"Beenden\""
! tree_of "$home" | grep -vxE '\.local|\.local/share|\.local/share/brixolan(/.*)?' >&2 ||
    fail "the game wrote outside its folder"

dpkg_root --remove brixolan
! tree_of "$root" | grep -vxE 'var(/lib(/dpkg(/.*)?)?)?' >&2 || fail "the removal left files"
