#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on a program folder with one odd file in it, started on a private X server
# of 800 x 600 pixels as a player starts it, one row of the table below at a time. A row fails
# when its window does not appear (or the program does not end as expected) within $LIMIT
# seconds (30: a loaded machine starts slowly), or when the program's peak resident memory
# passes $MEMORY_KB. No window manager, so a window stands exactly where the game puts it.
#
# Usage: odd_files_test.sh <folder of the built program> [row name ...]   (no names: all rows)
MEMORY_KB=${MEMORY_KB:-200000}

# name | preparation, run inside a fresh copy of the program folder | action | expectation
#   [| a check run in the folder afterwards]
#   action:      start       the program alone
#                highscore   then "Datei" > "HighScore" in the main window
#   expectation: window T    a window titled exactly T ("main": the main window) is shown
#                fits T      and stands centred, wholly on the screen
#                exit N      the program ends with status N (its messages are confirmed)
# Stone bitmaps of 200 pixels make the main window too large for the screen: it is shown
# smaller.
ROWS=(
    "stone-zero     | ln -sf /dev/zero Grafiken/SteinA.bmp                  | start     | window Brixolan Stein Schema"
    "settings-fifo  | rm Grafiken/0.bmp && mkfifo Brixolan.dat              | start     | window Schrift-Schema"
    "icon-zero      | ln -sf /dev/zero pics/icon.png                        | start     | window main"
    "score-fifo     | mkfifo score.sre                                      | highscore | window Fehler : 75"
    "pictures-zero  | for f in pics/*; do ln -sf /dev/zero \$f; done        | highscore | window HighScore"
    "broken-source  | rm Grafiken/SteinA.bmp && : >scr/1.bmp               | start     | exit 1"
    "settings-dir   | rm Grafiken/0.bmp && mkdir -p Brixolan.dat/x           | start     | exit 1 | test -d Brixolan.dat/x && test ! -e Grafiken/0.bmp"
    "lock-pipe      | echo 99999999 >Brixolan.brx-lock && mkfifo Brixolan.brx-lock.rmlock | start | window main"
    "lock-huge      | truncate -s 1G Brixolan.brx-lock                      | start     | fits main"
    "no-stderr      | mv brixolan b && echo 'unset XDG_RUNTIME_DIR; exec \${0%/*}/b 2>&-' >brixolan && chmod +x brixolan | start | window main"
    "stones-200     | write_stones 200                                      | start     | fits main"
)

source "$(dirname "$0")/../packaging/testlib.sh"
need Xvfb xdotool perl

built_program "$1"
shift
# The sanitizer build takes more memory for itself and reserves terabytes of address space,
# so no limit on that.
address_space=4000000
if [ -n "${sanitized:-}" ]; then
    MEMORY_KB=$((MEMORY_KB * 3))
    address_space=unlimited
fi
start_xvfb 800x600

# Solid 24-bit Windows bitmaps of side x side pixels for the seven stones.
write_stones() {
    perl -e 'my $side = shift; my $row = (3 * $side + 3) & ~3;
        my $pixels = ("\x30\x60\xc0" x $side . "\0" x ($row - 3 * $side)) x $side;
        for my $file (@ARGV) { open(my $out, ">:raw", $file) or die; print $out pack(
            "A2 V v v V V V V v v V V V V V V", "BM", 54 + length $pixels, 0, 0, 54, 40, $side,
            $side, 1, 24, 0, length $pixels, 2835, 2835, 0, 0), $pixels; }' \
        "$1" Grafiken/Stein{A,B,C,D,E,F,G}.bmp
}

# Peak resident memory of the game in kB.
peak() { awk '/^VmHWM:/ { kb = $2 } END { print kb + 0 }' "/proc/$game/status" 2>/dev/null || echo 0; }

# For a failure message: whether the game still runs, and its memory.
state() { ended && printf ', the program had ended' || printf ', %s kB resident' "$(peak)"; }

# A condition ("titled T" or "ended"), for `within`: fails when the memory passed its bound, and
# answers the game while it is to end.
watched() {
    (($(peak) < MEMORY_KB)) || fail "$name: $(peak) kB resident, more than $MEMORY_KB kB"
    if [ "$1" = ended ]; then answer_game; fi
    "$@" >/dev/null
}

# Answers the game as a player who applies the scheme a dialog offers, reads why that failed,
# and then closes the dialog, which ends a start without graphics.
answer_game() {
    local key=Return
    titled "Schema nicht übernommen" >/dev/null && refused=1
    [ -n "$refused" ] && untitled "Schema nicht übernommen" && key=Escape
    confirm_messages "$key"
}

run_row() {
    local name=$1 preparation=$2 action=$3 expectation=$4 check=${5:-}
    refused=
    copy_program "$name"
    (cd "$folder" && eval "$preparation") || fail "$name: the preparation failed"
    start_copy # the limit on address space keeps a runaway read from taking the machine

    if [ "$action" = highscore ]; then
        within "$LIMIT" watched titled "$main_title" || fail "$name: no main window$(state)"
        main=$(titled "$main_title")
        file_menu Down Down Down Return
    fi

    local title=${expectation#* }
    [ "$title" = main ] && title=$main_title
    [[ $expectation =~ ^(window|fits|exit)\  ]] || fail "$name: no such expectation: $expectation"
    if [[ $expectation = exit* ]]; then
        within "$LIMIT" watched ended || fail "$name: the program did not end within $LIMIT s"
        expect_end "$title" "$name"
    else
        within "$LIMIT" watched titled "$title" || fail "$name: no window \"$title\"$(state)"
        if [[ $expectation = fits* ]]; then
            sleep 0.5 # the window's final place
            eval "$(xdotool getwindowgeometry --shell "$(titled "$title")")"
            # Centred: the margins left and right, above and below, differ by 2 pixels at most.
            ((X >= 0 && Y >= 0 && (2 * X + WIDTH - 800) ** 2 <= 4 && (2 * Y + HEIGHT - 600) ** 2 <= 4)) ||
                fail "$name: the window at $X,$Y, $WIDTH x $HEIGHT, is not centred on the 800 x 600 screen"
        fi
        stop_game -9
    fi
    [ -z "$check" ] || (cd "$folder" && eval "$check") || fail "$name: afterwards not $check"
    echo "ok  $name ($expectation)"
}

run_rows "$@"
