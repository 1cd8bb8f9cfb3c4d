#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a program folder with one odd file in it, started on a private X server
# as a player starts it, one row of the table below at a time. A row fails when its window does
# not appear (or the program does not end as expected) within $LIMIT seconds, or when the
# program's peak resident memory passes $MEMORY_KB.
#
# Usage: odd_files_test.sh <folder of the built program> [row name ...]   (no names: all rows)
LIMIT=${LIMIT:-10}
MEMORY_KB=${MEMORY_KB:-200000}

# name | preparation, run inside a fresh copy of the program folder | action | expectation
#   [| a check run in the folder afterwards]
#   action:      start       the program alone
#                highscore   then "Datei" > "HighScore" in the main window
#   expectation: window T    a window titled exactly T is shown
#                exit N      the program ends with status N (its messages are confirmed)
ROWS=(
    "stone-zero     | ln -sf /dev/zero Grafiken/SteinA.bmp                  | start     | window Brixolan Stein Schema"
    "stone-urandom  | ln -sf /dev/urandom Grafiken/SteinA.bmp               | start     | window Brixolan Stein Schema"
    "stone-fifo     | rm Grafiken/SteinA.bmp && mkfifo Grafiken/SteinA.bmp  | start     | window Brixolan Stein Schema"
    "settings-fifo  | rm Grafiken/0.bmp && mkfifo Brixolan.dat              | start     | window Schrift-Schema"
    "icon-zero      | ln -sf /dev/zero pics/icon.png                        | start     | window main"
    "score-fifo     | mkfifo score.sre                                      | highscore | window Fehler : 75"
    "score-zero     | ln -s /dev/zero score.sre                             | highscore | window Fehler : 75"
    "pictures-zero  | for f in pics/*; do ln -sf /dev/zero \$f; done        | highscore | window HighScore"
    "broken-source  | rm Grafiken/SteinA.bmp && : >scr/1.bmp               | start     | exit 1"
    "settings-dir   | rm Grafiken/0.bmp && mkdir -p Brixolan.dat/x           | start     | exit 1 | test -d Brixolan.dat/x && test ! -e Grafiken/0.bmp"
)

source "$(dirname "$0")/../packaging/testlib.sh"
need Xvfb xdotool

built_program "$1"
shift
# The sanitizer build (make test-asan) starts slower, takes more memory for itself and reserves
# terabytes of address space, so no limit on that.
address_space=4000000
if grep -q __asan_init "$built/brixolan"; then
    LIMIT=$((LIMIT * 3))
    MEMORY_KB=$((MEMORY_KB * 3))
    address_space=unlimited
fi
start_xvfb

# Peak resident memory of the game in kB.
peak() {
    local kb
    kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$game/status" 2>/dev/null || true)
    echo "${kb:-0}"
}

# Waits up to $LIMIT seconds for a condition ("titled T" or "ended"), watching the memory.
until_true() {
    local deadline=$((SECONDS + LIMIT))
    while ((SECONDS < deadline)); do
        "$@" >/dev/null && return 0
        (($(peak) < MEMORY_KB)) || fail "$row: $(peak) kB resident, more than $MEMORY_KB kB"
        [ "$1" = ended ] && confirm_messages
        sleep 0.1
    done
    return 1
}

ended() { ! kill -0 "$game" 2>/dev/null; }

# Confirms whatever message the game shows, so that it can go on to its end.
confirm_messages() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        xdotool windowfocus --sync "$id" key Return 2>/dev/null || true
    done
}

run_row() {
    local name=$1 preparation=$2 action=$3 expectation=$4 check=$5
    local folder=$work/$name
    mkdir -p "$folder"
    cp -r "$built/brixolan" "$built/scr" "$built/Grafiken" "$built/pics" "$built/info.txt" "$folder"
    (cd "$folder" && eval "$preparation") || fail "$name: the preparation failed"

    # A bare session; the limit on address space keeps a runaway read from taking the machine.
    (ulimit -v "$address_space" && exec env -i HOME="$folder" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" \
        XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
        "$folder/brixolan" >"$folder/game.log" 2>&1) &
    game=$!

    if [ "$action" = highscore ]; then
        until_true titled "$main_title" || fail "$name: no main window"
        local main
        main=$(titled "$main_title")
        xdotool mousemove --window "$main" 25 9 click 1
        sleep 0.3
        xdotool key Down Down Down Return
    fi

    [ "$expectation" = "window main" ] && expectation="window $main_title"
    case $expectation in
    window\ *)
        until_true titled "${expectation#window }" ||
            fail "$name: no window \"${expectation#window }\" within $LIMIT s ($(peak) kB)"
        kill -9 "$game"
        wait "$game" 2>/dev/null || true
        ;;
    exit\ *)
        until_true ended || fail "$name: the program did not end within $LIMIT s"
        local status=0
        wait "$game" || status=$?
        [ "$status" = "${expectation#exit }" ] || fail "$name: ended with status $status"
        ;;
    *) fail "$name: no such expectation: $expectation" ;;
    esac
    game=
    [ -z "$check" ] || (cd "$folder" && eval "$check") || fail "$name: afterwards not $check"
    echo "ok  $name ($expectation)"
}

trim() { sed -e 's/^ *//' -e 's/ *$//' <<<"$1"; }
for line in "${ROWS[@]}"; do
    IFS='|' read -r row preparation action expectation check <<<"$line"
    row=$(trim "$row")
    if [ $# -gt 0 ] && [[ " $* " != *" $row "* ]]; then continue; fi
    run_row "$row" "$(trim "$preparation")" "$(trim "$action")" "$(trim "$expectation")" \
        "$(trim "${check:-}")"
done
