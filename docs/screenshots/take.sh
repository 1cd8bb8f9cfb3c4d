#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots under Xvfb: the new-game dialog, the main window during a game
# and the highscore window after it. The program folder is copied first and given a small
# highscore table, so that the game, ended without keys, earns a place in it.
# Usage: docs/screenshots/take.sh [program folder (default build/bin)]
. "$(dirname "$0")/../../tests/packaging/testlib.sh"

folder=${1:-build/bin}
out=$(cd "$(dirname "$0")" && pwd)
copy=$work/brixolan
mkdir -p "$copy" "$work/runtime"
chmod 700 "$work/runtime"
cp -r "$folder/brixolan" "$folder/libeks.so" "$folder/Grafiken" "$folder/scr" "$folder/pics" \
    "$folder/info.txt" "$copy/"
printf '%s\r\n' Anna 48200 Bernd 31500 Clara 20400 Dieter 12800 Eva 7600 Fritz 4100 Gabi 2300 \
    Hans 900 >"$copy/score.sre"

start_xvfb
window() {
    within 60 titled "$1" >/dev/null || fail "no window \"$1\""
    titled "$1"
}
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.1
}

QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime "$copy/brixolan" >"$work/log" 2>&1 &
game=$!
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
