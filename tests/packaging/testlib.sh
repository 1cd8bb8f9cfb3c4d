# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the packaging tests (sourced, bash): strict mode, a work folder kept after a failure
# for a look, and the background programs a test started ended with it.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
work=$(mktemp -d)
game=
xvfb=
finish() {
    local status=$?
    for pid in $game $xvfb; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ "$status" = 0 ] && rm -rf "$work" || echo "the test's files are kept in $work" >&2
    exit "$status"
}
trap finish EXIT

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is missing (make deps installs it)"
    done
}

# Everything below a folder, files and folders, relative to it and sorted.
tree_of() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort); }

# Fails with the difference when a listing of files is not that of installed-files.txt.
expect_install_files() {
    diff -u <(grep -v '^#' "$here/installed-files.txt") "$1" >&2 || fail "$2"
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

# A private X server on a display number nobody uses: Xvfb picks it and reports it when ready.
# Its screen is 1024x768 unless the first argument gives one (start_xvfb 800x600); further
# arguments are options of Xvfb.
start_xvfb() {
    local screen=1024x768
    if [[ ${1:-} =~ ^[0-9]+x[0-9]+$ ]]; then screen=$1; shift; fi
    rm -f "$work/display" # a server started before must not be read as this one
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    within 5 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=:$(head -n 1 "$work/display")
}

# The first visible window titled exactly so; xdotool alone matches titles without regard to
# case, and "Highscore" (the name prompt) is not "HighScore" (the table).
titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
    done
    return 1
}

# Fails when a manual page, rendered at widths from 40 to 120 columns, breaks a path, a file
# name or an option at a hyphenation point, or does not name the installed data under $2.
check_manual_page() {
    local page=$1 prefix=$2 width
    lexgrog "$page" >/dev/null || fail "$page has no NAME line for the manual's index"
    for width in $(seq 40 4 120); do
        LC_ALL=C.UTF-8 MANWIDTH=$width MANPAGER=cat man -l "$page" 2>/dev/null
    done | awk '
        broken != "" {
            word = broken $1
            sub(/[.,;:)\]]+$/, "", word)
            if (word ~ /[\/._]|^-/) { print "hyphenated: " word; bad = 1 }
        }
        { broken = "" }
        /‐$/ { broken = $NF; sub(/‐$/, "", broken) }
        END { exit bad }' >&2 || fail "$page hyphenates a path, a file name or an option"
    LC_ALL=C.UTF-8 MANWIDTH=200 MANPAGER=cat man -l "$page" | grep -qF "$prefix/share/games/brixolan/" ||
        fail "$page does not name the installed data under $prefix"
}

# The built program in folder $1: sets $built and $main_title, the main window's title.
built_program() {
    built=$(cd "$1" && pwd)
    [ -x "$built/brixolan" ] || fail "no program in $built"
    main_title="$("$built/brixolan" --version) Release"
}
