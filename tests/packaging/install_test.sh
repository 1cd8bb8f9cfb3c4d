#!/bin/bash
# `cmake --install` puts down exactly the expected files, and the uninstall script takes away
# exactly those again: also when started from a player's copy, after an install over an earlier
# one, and without touching what was in the prefix before.
# Usage: install_test.sh <cmake> <build dir>
set -euo pipefail
. "$(dirname "$0")/testlib.sh"

cmake=$1
build=$2
work=$(mktemp -d)
trap 'keep_on_failure "$work"' EXIT
prefix=$work/prefix

install_into() {
    "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
        { cat "$work/install.log" >&2; fail "cmake --install failed"; }
}

# A prefix in use: a shared folder with someone else's file, and an empty folder.
mkdir -p "$prefix/share/applications" "$prefix/lib"
echo "[Desktop Entry]" >"$prefix/share/applications/other.desktop"
tree_of "$prefix" >"$work/before"

# --- The tree -------------------------------------------------------------------------------
install_into
(cd "$prefix" && find . -type f | sed 's|^\./||' | grep -vx 'share/applications/other.desktop' |
    LC_ALL=C sort) >"$work/installed"
expected_files >"$work/expected"
same_listing "the install put down other files than expected" "$work/expected" "$work/installed"

[ -x "$prefix/games/brixolan" ] || fail "the program is not executable"
[ -x "$prefix/share/games/brixolan/uninstall" ] || fail "the uninstall script is not executable"
# Read-only for the players: their own copies are what they change.
for data in share/games/brixolan/Grafiken/SteinA.bmp share/games/brixolan/info.txt; do
    [ "$(stat -c %a "$prefix/$data")" = 644 ] || fail "$data has mode $(stat -c %a "$prefix/$data")"
done
grep -qx "Exec=$prefix/games/brixolan" "$prefix/share/applications/brixolan.desktop" ||
    fail "the menu entry does not start the installed program"
bash "$(dirname "$0")/validate_metadata.sh" "$prefix/share/applications/brixolan.desktop" \
    "$prefix/share/metainfo/example.brixolan.brixolan.metainfo.xml" >/dev/null

# --- Removal --------------------------------------------------------------------------------
sh "$prefix/share/games/brixolan/uninstall" 2>"$work/uninstall.log" ||
    { cat "$work/uninstall.log" >&2; fail "the uninstall script failed"; }
tree_of "$prefix" >"$work/after"
same_listing "the uninstall did not restore the prefix as it was" "$work/before" "$work/after"

# --- From a player's copy, after an install over an earlier one that had one file more ------
install_into
script=$prefix/share/games/brixolan/uninstall
echo "left over" >"$prefix/share/games/brixolan/retired.txt"
sed -i '/^installed_files()/{n;a\
share/games/brixolan/retired.txt
}' "$script"
grep -qx 'share/games/brixolan/retired.txt' "$script" || fail "could not fake an earlier install"
install_into
grep -qx 'share/games/brixolan/retired.txt' "$script" ||
    fail "an install over an earlier one forgets the earlier one's files"

player=$work/home/.local/share/brixolan
mkdir -p "$player"
cp -p "$script" "$player/uninstall"
echo "1000" >"$player/score.sre"
sh "$player/uninstall" 2>"$work/uninstall.log" ||
    { cat "$work/uninstall.log" >&2; fail "the player's copy of the uninstall script failed"; }
tree_of "$prefix" >"$work/after"
same_listing "the player's copy did not remove the install" "$work/before" "$work/after"
[ -f "$player/score.sre" ] || fail "the uninstall removed the player's scores"

# Run again, there is nothing left to remove, and it says so.
sh "$player/uninstall" 2>"$work/uninstall.log" || fail "a second uninstall fails"
grep -q "bereits deinstalliert" "$work/uninstall.log" || fail "a second uninstall says nothing"

echo "install and uninstall exact"
