#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The session ends from outside while the highscore table is open, right after the player
# confirmed a name: the real program on a copy of its folder, on a private X server per row,
# played to a game over with the keyboard (quick start, Space held). Afterwards the name must
# be in score.sre, and where the program can end in order it ends with status 0.
#
# Usage: session_end_test.sh <folder of the built program> <close_request> <stand-in library>
#                            [row name ...]   (no names: all rows)
# name | what ends the session, run with $game, $xvfb, $folder, $table and $main set | exit
#   status ("any": the program cannot end in order, only the name counts)
# In "library-hang" the first SIGTERM cannot reach the held event loop, the second ends the
# program. In "second-signal" the closing table cannot save (another process holds the lock, and
# sends the first SIGTERM) and waits for the player to read why; a second SIGTERM ends the
# program all the same. "nohup" starts the game with SIGHUP ignored, which it keeps.
ROWS=(
    "sighup         | kill -HUP \$game                               | 0"
    "sigint         | kill -INT \$game                               | 0"
    "close-request  | \"\$close_request\" \$main                       | 0"
    "display-gone   | kill -9 \$xvfb                                 | any"
    "library-crash  | xdotool mousemove --window \$table 200 320 click 1 | any"
    "library-hang   | xdotool mousemove --window \$table 200 320 click 1; sleep 1; kill -TERM \$game; sleep 1; kill -TERM \$game | 143"
    "second-signal  | flock \$folder/Brixolan.brx-lock sh -c 'kill -TERM \$0; sleep 15' \$game </dev/null &>/dev/null & within \$LIMIT titled Highscore >/dev/null && kill -TERM \$game; kill \$! | 143"
    "nohup          | kill -HUP \$game; sleep 1; if ended; then fail \"nohup: SIGHUP ended it\"; fi; kill -TERM \$game | 0"
)
NAME=Sitzungsende

source "$(dirname "$0")/../packaging/testlib.sh"
need Xvfb xdotool flock

built_program "$1"
close_request=$2
stand_in_library=$3
shift 3

run_row() {
    local name=$1 ending=$2 expected=$3
    copy_program "$name"
    # The library-* rows get the stand-in library, which its variable tells to crash or hang;
    # the other rows have no library, and nothing reads the variable.
    [[ $name != library-* ]] || cp "$stand_in_library" "$folder/libeks.so"
    # A low table: any score ranks.
    for place in 8 7 6 5 4 3 2 1; do printf 'Alt\r\n%s\r\n' "$place"; done >"$folder/score.sre"

    start_xvfb
    # Job control: the game gets SIGINT as a program started from a terminal does, not the
    # ignored SIGINT of a background job.
    set -m
    [ "$name" = nohup ] && trap '' HUP
    start_copy BRIXOLAN_EKS_STAND_IN="${name#library-}"
    set +m
    trap - HUP

    main=$(window "$main_title") || fail "$name: no main window"
    file_menu Down Return # "Schnellstart", then Space held until the game is over
    within "$LIMIT" eval '! menu_open' || fail "$name: the menu stayed open" # or it takes Space
    xdotool mousemove --window "$main" 100 200 keydown space
    window Highscore >/dev/null || fail "$name: no name box"
    xdotool keyup space
    enter_name "$NAME"

    eval "$ending"
    expect_end "$expected" "$name"
    grep -aq "^$NAME"$'\r'"\$" "$folder/score.sre" ||
        fail "$name: the name is not in score.sre: $(tr '\r\n' '  ' <"$folder/score.sre")"
    echo "ok  $name (status $status)"
}

run_rows "$@"
