#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program played with the keyboard on a private X server (no window manager), keys
# sent from outside as a player presses and holds them. One function per case, each on a game
# of its own; each reads what the program leaves (window titles, score.sre), and waits at most
# $LIMIT seconds for a window.
#
# Usage: keyboard_test.sh <folder of the built program> [case ...]   (no names: all cases)

source "$(dirname "$0")/../packaging/testlib.sh"
need Xvfb xdotool

built_program "$1"
shift
# A held key repeats soon and often, so that a short hold reaches the next window.
start_xvfb -ardelay 100 -arinterval 20

# The game on a fresh copy of the program folder whose table any finished game enters.
start_game() {
    copy_program "$1"
    for _ in 1 2 3 4 5 6 7 8; do printf 'NoBody\r\n0\r\n'; done >"$folder/score.sre"
    # The score-code library, and an address handler that only notes what it is given.
    cp "$built/libeks.so" "$folder"
    stand_in_browser "$folder"
    start_copy PATH="$folder/bin:/usr/bin:/bin"
    main=$(window "$main_title") || fail "$1: no main window"
    # What a window manager does for a new window; the program's own windows take it after.
    xdotool windowfocus --sync "$main"
}

has_keyboard() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(titled "$1")" ]; }
# Waits until the window titled $2 has the keyboard; the case $1 fails with $3 when it does not.
expect_window() { within "$LIMIT" has_keyboard "$2" || fail "$1: $3"; }

# F10, then the keys given, in the menu it opened.
f10() {
    xdotool key F10
    within "$LIMIT" menu_open || fail "menu_by_f10: F10 opened no menu"
    xdotool key "$@"
}

# F10 opens the first menu on its first usable item, the arrows and Return work in the menus;
# Escape closes the dialog, and F10 works again after it. A quick start, then its abort: in a
# game "Schnellstart" is disabled, and F10, Return is "Spiel abbrechen".
menu_by_f10() {
    for step in "quick start" abort; do
        f10 Return
        within "$LIMIT" eval '! menu_open' || fail "menu_by_f10: F10, Return ($step) left the menu open"
    done
    f10 Down Return
    expect_window menu_by_f10 "Neues Spiel" "F10, Down, Return did not open \"Neues Spiel\""
    xdotool key Escape
    within "$LIMIT" untitled "Neues Spiel" || fail "menu_by_f10: Escape left the dialog open"
    # Left goes on to the last menu, "?", whose first item is active: Down makes it "Info".
    f10 Left Down Return
    expect_window menu_by_f10 "VTQ $main_title Info" "Left, Down, Return: no \"Info\""
}

# The bars move as drawn, Return on a bar starts the game; keys held or repeating for the game
# do nothing in the windows that open at its end, keys pressed there act, the banner's too.
held_keys() {
    file_menu Down Down Return
    expect_window held_keys "Neues Spiel" "no \"Neues Spiel\""
    # Level 9; on the height bar 4 right, 1 left, 3 up, 1 down, 1 up: height 6, 9000 points.
    xdotool key End Tab Tab Tab Right Right Right Right Left Up Up Up Down Up Return
    # Each key held, already down, long enough for the X server to repeat it in the window that
    # now has the keyboard; then let go.
    xdotool keydown space
    expect_window held_keys Highscore "no name box: the game did not start or end"
    xdotool sleep 1 keyup space
    xdotool keydown Return
    expect_window held_keys HighScore "no table after the name"
    xdotool sleep 1 keyup Return
    titled HighScore >/dev/null || fail "held_keys: the held Return closed the table unseen"
    # Without a mouse: Tab brings the keyboard to the banner, whose Return opens the score page.
    xdotool key Tab Return
    within "$LIMIT" grep -qs '^https://score\.brixolan\.example/score\.php?punkte=' "$folder/opened" ||
        fail "held_keys: Tab, Return opened no score page; opened: $(cat "$folder/opened" 2>/dev/null)"
    titled HighScore >/dev/null || fail "held_keys: Return on the banner closed the table"
    xdotool key Tab Return
    within "$LIMIT" untitled HighScore || fail "held_keys: Tab, Return on \"OK\" left the table open"
    # The first place: the name offered (none was typed), points of a game begun at height 6.
    local first=$(head -n 2 "$folder/score.sre" | tr -d '\r' | paste -sd ' ')
    [[ $first =~ ^Default\ ([0-9]+)$ ]] && ((BASH_REMATCH[1] >= 9000)) ||
        fail "held_keys: the first place is \"$first\", not Default with 9000 points or more"
}

# A menu closed with Escape hands the keyboard back to the well: Down and Return then do not
# open "Datei" and abort the game, and the held Space ends the game.
escape_from_menu() {
    file_menu Down Return # "Schnellstart"
    within "$LIMIT" eval '! menu_open' || fail "escape_from_menu: the menu stayed open"
    file_menu Escape Down Return
    xdotool keydown space
    expect_window escape_from_menu Highscore "no game over: the keys drove the menu bar"
    xdotool keyup space
}

# Keys faster than a busy game takes them: after a click on "Datei", Down, Return (the quick
# start) and Space held while the game is stopped. Space then reaches the menu that Return
# closes; held, it drops the stones all the same.
fast_keys() {
    file_menu
    kill -STOP "$game"
    xdotool key Down Return keydown space
    kill -CONT "$game"
    expect_window fast_keys Highscore "the held Space did not reach the game"
    xdotool keyup space
}

# The session ends while a scheme's message is open: the scheme dialog under it closes on the
# way, and the program still ends in order.
scheme_closed() {
    xdotool key F10 Right Down Return
    expect_window scheme_closed "Brixolan Stein Schema" "F10, Right, Down, Return: no stone scheme"
    xdotool key Down Return
    expect_window scheme_closed "Änderungen !!!" "Down, Return applied no stone scheme"
    kill -TERM "$game"
    expect_end 0 "scheme_closed: after SIGTERM"
}

for case in menu_by_f10 held_keys escape_from_menu fast_keys scheme_closed; do
    if chosen "$case" "$@"; then
        start_game "$case"
        $case
        stop_game
        echo "ok  $case"
    fi
done
