#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots under Xvfb: the new-game dialog, the main window during a game
# and the highscore window after it. The program folder is copied first and given a small
# highscore table, so that the game, ended without keys, earns a place in it.
# Usage: docs/screenshots/take.sh [program folder (default build/bin)]
set -euo pipefail

folder=${1:-build/bin}
out=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

copy=$work/brixolan
mkdir -p "$copy" "$work/runtime"
chmod 700 "$work/runtime"
cp -r "$folder/brixolan" "$folder/libeks.so" "$folder/Grafiken" "$folder/scr" "$folder/pics" \
    "$folder/info.txt" "$copy/"
printf '%s\r\n' Anna 48200 Bernd 31500 Clara 20400 Dieter 12800 Eva 7600 Fritz 4100 Gabi 2300 \
    Hans 900 >"$copy/score.sre"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=:$(head -n 1 "$work/display")

# The visible window titled exactly so (xdotool alone ignores case: "Highscore" is the name
# prompt, "HighScore" the table).
window() {
    local id
    for _ in $(seq 600); do
        for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
            [ "$(xdotool getwindowname "$id")" = "$1" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
}
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.1
}

QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime "$copy/brixolan" >"$work/log" 2>&1 &
game_pid=$!
main=$(window "Brixolan 1.65 Release")

click "$main" 25 9
sleep 0.2
xdotool key Down Down Return # "Spiel starten"
dialog=$(window "Neues Spiel")
for _ in $(seq 9); do click "$dialog" 251 32; done
for _ in $(seq 6); do click "$dialog" 251 104; done
xdotool mousemove 0 0
sleep 0.3
import -window "$dialog" "$out/new-game.png"
click "$dialog" 96 236 # "Starten"

sleep 2.5
import -window "$main" "$out/main-window.png"

box=$(window "Highscore")
xdotool windowfocus --sync "$box"
xdotool key ctrl+a
xdotool type --delay 20 "Spieler"
xdotool key Return
table=$(window "HighScore")
xdotool mousemove 0 0
sleep 0.3
import -window "$table" "$out/highscore.png"
echo "screenshots in $out"
