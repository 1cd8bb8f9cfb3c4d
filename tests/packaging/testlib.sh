# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the packaging tests (sourced, bash): strict mode, a work folder kept after a failure
# for a look, and the background programs a test started ended with it: killed outright, since
# a game held for good ignores SIGTERM. A test that must undo something before its folder goes
# (a mount in it) sets $at_exit to the commands.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
work=$(mktemp -d)
game=
xvfb=
finish() {
    local status=$?
    eval "${at_exit:-}"
    for pid in $game $xvfb; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ "$status" = 0 ] && rm -rf "$work" || echo "the test's files are kept in $work" >&2
    exit "$status"
}
trap finish EXIT

# Fails the test, with the end of what the game last started printed.
fail() {
    printf 'FAIL: %s\n' "$*" >&2
    if [ -s "${folder:-}/game.log" ]; then
        printf 'the game printed:\n' >&2
        tail -n 5 "$folder/game.log" >&2
    fi
    exit 1
}

# Fails unless every program named is on the PATH.
need() { type -P "$@" >/dev/null || fail "one of $* is missing (make deps installs it)"; }

# Runs a command with its output in $work/$1.log, which a failure shows.
logged() {
    local log=$work/$1.log
    shift
    "$@" >"$log" 2>&1 || { cat "$log" >&2; fail "$* failed"; }
}

# Everything below a folder, files and folders, relative to it and sorted.
tree_of() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }

# Fails with $1 and the difference when the listing of files on the input, in any order, is not
# that of installed-files.txt.
expect_install_files() {
    diff -u <(grep -v '^#' "$here/installed-files.txt") <(LC_ALL=C sort) >&2 || fail "$1"
}

# Retries a command every 0.1 s for up to $1 seconds.
within() {
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        ((--tries > 0)) || return 1
        sleep 0.1
    done
}

# A private X server on a display number of its own, drawn at random from a wide range: when
# every test took the lowest free number, tests running side by side raced for it, and a game
# once found no server on its display. A number in use ends Xvfb at once, and another is
# drawn. -noreset: by default the server resets when its last client leaves, and a game started
# just after the previous one was killed then found no display. Its screen is 1024x768 unless
# the first argument gives one (start_xvfb 800x600); further arguments are options of Xvfb.
# A server this test started before ends first.
start_xvfb() {
    local screen=1024x768 number
    if [[ ${1:-} =~ ^[0-9]+x[0-9]+$ ]]; then screen=$1; shift; fi
    for _ in 1 2 3 4 5 6 7 8; do
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
        number=$((1000 + RANDOM % 30000))
        rm -f "$work/display" # a server started before must not be read as this one
        Xvfb ":$number" -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset "$@" \
            3>"$work/display" 2>"$work/xvfb.log" &
        xvfb=$!
        if within 10 xvfb_settled && [ -s "$work/display" ]; then
            export DISPLAY=:$number
            return 0
        fi
    done
    fail "Xvfb did not start: $(cat "$work/xvfb.log")"
}
# Xvfb reported its display, or ended.
xvfb_settled() { [ -s "$work/display" ] || ! kill -0 "$xvfb" 2>/dev/null; }

# The first visible window titled exactly so; xdotool alone matches titles without regard to
# case, and "Highscore" (the name prompt) is not "HighScore" (the table).
titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
    done
    return 1
}
untitled() { ! titled "$1" >/dev/null; }

# Types the name $1 into the name box and confirms it; sets $table, the highscore table.
enter_name() {
    xdotool windowfocus --sync "$(titled Highscore)" key ctrl+a type --delay 20 "$1"
    xdotool key Return
    table=$(window HighScore) || fail "no table after the name $1"
}

# Fails when a manual page, rendered at widths from 40 to 120 columns, breaks a path, a file
# name or an option at a hyphenation point, or does not name --version and the installed data
# under $2.
check_manual_page() {
    local page=$1 prefix=$2 width
    lexgrog "$page" >/dev/null || fail "$page has no NAME line for the manual's index"
    for width in $(seq 40 4 120); do
        LC_ALL=C.UTF-8 MANWIDTH=$width MANPAGER=cat man -l "$page" 2>/dev/null
    done | tee "$work/page" | awk '
        broken != "" {
            word = broken $1
            sub(/[.,;:)\]]+$/, "", word)
            if (word ~ /[\/._]|^-/) { print "hyphenated: " word; bad = 1 }
        }
        { broken = "" }
        /‐$/ { broken = $NF; sub(/‐$/, "", broken) }
        END { exit bad }' >&2 || fail "$page hyphenates a path, a file name or an option"
    # None of the renderings breaks the path or the option (checked above): they stand whole.
    grep -qF "$prefix/share/games/brixolan/" "$work/page" && grep -q -- --version "$work/page" ||
        fail "$page does not name --version and the installed data under $prefix"
}

# The built program in folder $1: sets $built and $main_title, the main window's title. The
# sanitizer build starts slower: its $LIMIT (seconds a wait may last, default 30) is tripled.
built_program() {
    built=$(cd "$1" && pwd)
    [ -x "$built/brixolan" ] || fail "no program in $built"
    main_title="$("$built/brixolan" --version) Release"
    LIMIT=${LIMIT:-30}
    if grep -q __asan_init "$built/brixolan"; then sanitized=1 LIMIT=$((LIMIT * 3)); fi
}

# True when $1 is among the further arguments, or there are none: the cases a run asks for.
chosen() { [ $# -eq 1 ] || [[ " ${*:2} " == *" $1 "* ]]; }

# Calls run_row with the fields, trimmed, of each line of ROWS ("name | field | ...") whose name
# is chosen by the arguments.
run_rows() {
    local line fields
    for line in "${ROWS[@]}"; do
        mapfile -t fields < <(tr '|' '\n' <<<"$line" | sed -e 's/^ *//' -e 's/ *$//')
        if chosen "${fields[0]}" "$@"; then run_row "${fields[@]}"; fi
    done
}

# A fresh copy of the built program's folder, $folder = $work/$1.
copy_program() {
    folder=$work/$1
    mkdir -p "$folder"
    cp -r "$built/brixolan" "$built/scr" "$built/Grafiken" "$built/pics" "$built/info.txt" "$folder"
}

# Starts the copy in $folder (or the program $program if set) in a bare session on the X server,
# as a player starts it, with the variables given as arguments, which override those set here;
# its output in $folder/game.log, its address space limited to $address_space kB if set.
start_copy() {
    ({ [ -z "${address_space:-}" ] || ulimit -v "$address_space"; } && exec env -i HOME="$folder" PATH=/usr/bin:/bin \
        DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$@" \
        "${program:-$folder/brixolan}" >"$folder/game.log" 2>&1) &
    game=$!
}

ended() { ! kill -0 "$game" 2>/dev/null; }

# Fails unless the game ends within $LIMIT seconds with the status $1 ("any": whichever); $2
# names the case. The status is left in $status, and the game forgotten.
expect_end() {
    within "$LIMIT" ended || fail "$2: the program did not end within $LIMIT s"
    status=0
    wait "$game" || status=$?
    game=
    [ "$1" = any ] || [ "$status" = "$1" ] || fail "$2: ended with status $status, not $1"
}

# Ends the game (kill's options as arguments) and forgets it.
stop_game() {
    kill "$@" "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    game=
}

# Waits for the window titled $1 (up to $2 or $LIMIT seconds) and prints its id.
window() { within "${2:-$LIMIT}" titled "$1"; }

# A click at x y in the window $1's own pixels.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1 sleep 0.1; }

# An open menu is a second visible window of the game.
menu_open() { (($(xdotool search --onlyvisible --pid "$game" 2>/dev/null | wc -l) > 1)); }

# "Datei" in the main window $main opened with the mouse, then the keys given, if any: the open
# menu takes the keyboard.
file_menu() {
    click "$main" 25 9
    within "$LIMIT" menu_open || fail "a click on \"Datei\" opened no menu"
    [ $# -eq 0 ] || xdotool key "$@"
}

# A desktop handler for addresses in $1/bin, to come first on the game's PATH: it only notes
# each address it is given in $1/opened.
stand_in_browser() {
    mkdir -p "$1/bin"
    printf '#!/bin/sh\necho "$1" >>"%s"\n' "$1/opened" >"$1/bin/xdg-open"
    chmod 755 "$1/bin/xdg-open"
}

# Confirms whatever message the game shows: Return, or the key given, in each of its windows.
confirm_messages() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        xdotool windowfocus --sync "$id" key "${1:-Return}" 2>/dev/null || true
    done
}
