#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` puts down exactly the expected files, with a valid menu entry and AppStream
# file, and the uninstall script takes away exactly those again: also from a player's copy,
# after an install over an earlier one, and without touching what was in the prefix before.
# Usage: install_test.sh <cmake> <build dir>
. "$(dirname "$0")/testlib.sh"
need desktop-file-validate appstreamcli man lexgrog
cmake=$1
build=$2
prefix=$work/prefix
data=$prefix/share/games/brixolan

install_into() { logged install "$cmake" --install "$build" --prefix "$prefix"; }

# Runs an uninstall script, after which the prefix must be as it was before the install.
uninstall() {
    logged uninstall sh "$1"
    diff -u "$work/before" <(tree_of "$prefix") >&2 || fail "$1 did not restore the prefix"
}

# A prefix in use: a shared folder with someone else's file, and an empty folder.
mkdir -p "$prefix/share/applications" "$prefix/lib"
echo "[Desktop Entry]" >"$prefix/share/applications/other.desktop"
tree_of "$prefix" >"$work/before"

install_into
(cd "$prefix" && find . -type f | sed 's|^\./||' | grep -vx 'share/applications/other.desktop') |
    expect_install_files "the install put down other files than expected"
# The program and the uninstall script executable, the data read-only for the players: their
# own copies are what they change.
modes=$(stat -c %a "$prefix/games/brixolan" "$data"/{uninstall,Grafiken/SteinA.bmp,info.txt} | paste -sd ' ')
[ "$modes" = "755 755 644 644" ] ||
    fail "the program, the uninstall script, a stone bitmap and info.txt have modes $modes"

# The menu entry starts the installed program from the Games menu; both files pass their
# validators without errors or warnings (hints and infos are allowed).
desktop=$prefix/share/applications/brixolan.desktop
metainfo=$prefix/share/metainfo/example.brixolan.brixolan.metainfo.xml
grep -qx "Exec=$prefix/games/brixolan" "$desktop" &&
    grep -qx 'Categories=Game;BlocksGame;' "$desktop" ||
    fail "the menu entry does not start the installed program from the Games menu"
grep -q '<launchable type="desktop-id">brixolan.desktop</launchable>' "$metainfo" ||
    fail "the AppStream file does not launch brixolan.desktop"
report=$(desktop-file-validate "$desktop" 2>&1 &&
    appstreamcli validate --no-net "$metainfo" 2>&1) ||
    { echo "$report" >&2; fail "the menu entry or the AppStream file is invalid"; }
! grep -E '(error|warning):|^[EW]:' <<<"$report" >&2 || fail "the validators warn"

# The manual pages name this install's paths, and never break one.
for page in "$prefix"/share/man/{,de/}man6/brixolan.6.gz; do check_manual_page "$page" "$prefix"; done

uninstall "$data/uninstall"

# From a player's copy, after an install over an earlier one that had one file more.
install_into
echo "left over" >"$data/retired.txt"
sed -i -e '/^installed_files()/{n;a share/games/brixolan/retired.txt' -e '}' "$data/uninstall"
install_into
grep -qx 'share/games/brixolan/retired.txt' "$data/uninstall" ||
    fail "an install over an earlier one forgets the earlier one's files"
player=$work/home/.local/share/brixolan
mkdir -p "$player"
cp -p "$data/uninstall" "$player/uninstall"
echo "1000" >"$player/score.sre"
uninstall "$player/uninstall"
[ -f "$player/score.sre" ] || fail "the uninstall removed the player's scores"

# Run again, there is nothing left to remove, and it says so.
said=$(sh "$player/uninstall" 2>&1) && grep -q "bereits deinstalliert" <<<"$said" ||
    fail "a second uninstall fails or says nothing"
