#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program where its folders are odd, started bare (env -i) from an empty working folder
# on a private X server, its messages confirmed from outside with xdotool:
#  - a program folder, and a HOME, whose names hold a Latin-1 byte: a German message names the
#    folder, the program ends with status 1, and nothing appears anywhere else;
#  - an installed layout whose player's folder lies on a disk that runs full.
# Run as root, the program runs as "nobody", so a program that went astray could not write into
# the system's folders. Usage: odd_places_test.sh <cmake> <build dir>
. "$(dirname "$0")/testlib.sh"
need Xvfb xdotool
cmake=$1
build=$(cd "$2" && pwd)
built_program "$build/bin"

player=()
if [ "$(id -u)" = 0 ]; then
    player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod 755 "$work"
fi
t=$work/t # every folder the program may write to lies in here
mkdir -p "$t/cwd" "$t/cache" "$t/home"
chmod -R 777 "$t"
"${player[@]}" mkdir -m 700 "$t/runtime" # the player's own, as a session's is
start_xvfb

# Starts the program in the empty working folder, the test folder's listing before it in
# $work/before: play <program> [VAR=value ...]
play() {
    listing >"$work/before"
    (cd "$t/cwd" && exec "${player[@]}" env -i PATH="$work/bin:/usr/bin:/bin" DISPLAY="$DISPLAY" \
        XDG_CACHE_HOME="$t/cache" XDG_RUNTIME_DIR="$t/runtime" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
        "${@:2}" "$1" >"$t/out" 2>"$t/err") &
    game=$!
}
# Confirms whatever message the game shows, until it ends with the status $1; $2 names the case.
answered_end() {
    within "$LIMIT" confirmed_ended || fail "$2: the program did not end within $LIMIT s"
    expect_end "$1" "$2"
}
confirmed_ended() { confirm_messages && ended; }
# The test folder without what the program and the system's libraries may write there.
listing() { tree_of "$t" | { grep -avx 'err\|out\|cache/.*\|runtime/.*' || true; }; }
# Fails unless the program ended with status 1 and said $1 on stderr, and the test folder holds
# exactly what it held before.
refused() {
    answered_end 1 "$2"
    grep -qF "$1" "$t/err" || { cat "$t/err" >&2; fail "$2: no message naming the folder"; }
    diff -u "$work/before" <(listing) >&2 || fail "$2: files appeared"
    echo "ok  $2"
}

# A program folder with a Latin-1 byte, as a build-tree run.
copy_program t/$'Ren\xe9'
chmod -R 777 "$folder"
play "$folder/brixolan" HOME="$t/home"
refused "Der Ordner des Programms \"$t/Ren\\xe9\" hat einen Namen, der kein gültiges UTF-8 ist" \
    "a program folder whose name is not UTF-8"

# An installed game and a HOME with a Latin-1 byte.
logged install "$cmake" --install "$build" --prefix "$work/prefix"
home=$t/$'home-Ren\xe9'
mkdir -m 777 "$home"
play "$work/prefix/games/brixolan" HOME="$home"
refused "Der Home-Ordner aus HOME \"$t/home-Ren\\xe9\" hat einen Namen, der kein gültiges UTF-8" \
    "a HOME whose name is not UTF-8"

# The first start on a disk that runs full ends with a German message and leaves no torn copy;
# with room again, the next start completes the folder and repairs the copies an earlier version
# left empty or cut off.
full=$t/full
mkdir -p "$full"
if [ "$(id -u)" != 0 ] || ! mount -t tmpfs -o size=64k,mode=777 tmpfs "$full" 2>/dev/null; then
    echo "SKIP the full disk: no tmpfs can be mounted here"
    exit 0
fi
# Unmounted in every case, before the test's folder is removed.
at_exit='umount -l "$full" || true'
installed=$work/prefix/share/games/brixolan
play "$work/prefix/games/brixolan" HOME="$t/home" XDG_DATA_HOME="$full"
answered_end 1 "a full disk at the first start"
grep -q "kein Platz mehr frei" "$t/err" || { cat "$t/err" >&2; fail "a full disk: no German message"; }
# Copies that differ from the installed file, or that it does not have: all but those not made.
torn=$(diff -rq "$installed" "$full/brixolan" | grep -vF "Only in $installed" || true)
[ -z "$torn" ] || fail "a full disk at the first start left torn copies: $torn"
mount -o remount,size=4m "$full"
mkdir -p "$full/brixolan/scr" "$full/brixolan/pics"
: >"$full/brixolan/scr/1.bmp"
head -c 100 "$installed/pics/banner.bmp" >"$full/brixolan/pics/banner.bmp"
chmod -R 777 "$full/brixolan"
play "$work/prefix/games/brixolan" HOME="$t/home" XDG_DATA_HOME="$full"
window "$main_title" >/dev/null ||
    fail "no main window after the disk was grown: $(cat "$t/err")"
diff -rq "$installed" "$full/brixolan" >&2 || fail "after the disk was grown, the copies differ"
echo "ok  a full disk at the first start, repaired when it was grown"
