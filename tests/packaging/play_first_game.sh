#!/bin/bash
# A new player's first session with the installed game, on a private X server and driven from
# outside with xdotool, as a person would: start it from its menu entry, open the highscores,
# play a game to its end without touching a key, enter a name, hand the result to the score
# page, close the table and quit. Checks that the game keeps everything in the player's own
# folder and writes nothing else into the home folder.
# Usage: play_first_game.sh <installed desktop file> <root the installed paths lie under> <work>
set -euo pipefail
. "$(dirname "$0")/testlib.sh"
need Xvfb xdotool

desktop=$1
root=$2
work=$3

home=$work/home
player=$home/.local/share/brixolan
mkdir -p "$home" "$work/bin" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"

# The score page is opened by the desktop's handler; this one only notes the address.
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
EOF
chmod +x "$work/bin/xdg-open"

game_pid=
xvfb_pid=
finish() {
    status=$?
    if [ "$status" != 0 ] && [ -n "${DISPLAY:-}" ]; then
        if command -v import >/dev/null && import -window root "$work/failure.png" 2>/dev/null; then
            echo "screen at the failure: $work/failure.png" >&2
        fi
        [ -f "$work/game.log" ] && cat "$work/game.log" >&2
    fi
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    exit "$status"
}
trap finish EXIT

# A display number nobody uses: Xvfb picks it and reports it when it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n 1 "$work/display")

# The visible windows titled exactly so; xdotool alone matches titles without regard to case,
# and "Highscore" (the name prompt) is not "HighScore" (the table).
titled() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
    done
    return 0
}

# The window with this title, once it is on the screen (within $2 seconds, default 20).
window() {
    local id tries=$((${2:-20} * 10))
    for _ in $(seq "$tries"); do
        id=$(titled "$1" | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

gone() {
    for _ in $(seq 100); do
        [ -z "$(titled "$1")" ] && return 0
        sleep 0.1
    done
    fail "the window \"$1\" did not close"
}

click() { # window x y, in the window's own pixels
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.1
}

# The menu "Datei", then keys: Qt's open menu takes the keyboard.
file_menu() {
    click "$main" 25 9
    sleep 0.2
    xdotool key "$@"
}

# The new-game dialog: level 9 and six pairs of filled rows end a game without keys in seconds.
new_fast_game() {
    file_menu Down Down Return
    local dialog
    dialog=$(window "Neues Spiel") || fail "the new-game dialog did not open"
    for _ in $(seq 9); do click "$dialog" 251 32; done   # right arrow of the level bar
    for _ in $(seq 6); do click "$dialog" 251 104; done  # right arrow of the height bar
    click "$dialog" 96 236                              # "Starten"
    gone "Neues Spiel"
}

exec_line=$(sed -n 's/^Exec=//p' "$desktop")
program=$root${exec_line//\"/}
[ -x "$program" ] || fail "the menu entry's program $program is not there"

# A bare session as a desktop starts it; caches of the system's libraries (fontconfig) are not
# the game's files and go beside the home folder.
env -i HOME="$home" USER="${USER:-player}" PATH="$work/bin:/usr/bin:/bin" DISPLAY="$DISPLAY" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    LANG=C.UTF-8 "$program" >"$work/game.log" 2>&1 &
game_pid=$!

main=$(window "Brixolan 1.65 Release") || fail "no main window"

# First start: the player's folder holds the installed data, writable for the player.
for file in Grafiken/SteinA.bmp Grafiken/9.bmp scr/1.bmp scr/old/0.bmp scr/new/9.bmp info.txt \
    pics/banner.bmp; do
    [ -f "$player/$file" ] || fail "the player's folder lacks $file"
    (($(stat -c '0%a' "$player/$file") & 0200)) || fail "the player's $file is read-only"
done
[ -x "$player/uninstall" ] || fail "the player's folder lacks the uninstall script"

# The highscores before any game: closing the table writes it into the player's folder.
file_menu Down Down Down Return
table=$(window "HighScore") || fail "the highscore window did not open"
click "$table" 204 312 # "OK"
gone "HighScore"
[ -f "$player/score.sre" ] || fail "no score.sre in the player's folder"
grep -q "NoBody" "$player/score.sre" || fail "score.sre does not hold the first table"

# A returning player's table whose last place a game without keys can beat.
sed -i '16s/^40000\r$/40\r/' "$player/score.sre"
grep -q $'^40\r$' "$player/score.sre" || fail "could not lower the last place"

new_fast_game
box=$(window "Highscore" 90) || fail "the game did not end with a place in the table"
xdotool windowfocus --sync "$box"
xdotool key ctrl+a
xdotool type --delay 20 "Erster Spieler"
xdotool key Return
table=$(window "HighScore") || fail "the highscore window did not open after the game"

# The banner hands the encoded result to the score page: the score-code library was found.
click "$table" 200 324
for _ in $(seq 50); do
    [ -s "$work/opened" ] && break
    sleep 0.1
done
grep -Eq '^https://score\.brixolan\.example/score\.php\?punkte=[A-Za-z0-9._~-]+$' \
    "$work/opened" 2>/dev/null || fail "the banner opened no score page (score-code library?)"

click "$table" 204 376 # "OK", below the banner
gone "HighScore"
grep -q "^Erster Spieler"$'\r$' "$player/score.sre" || fail "the name is not in score.sre"

file_menu Up Return # "Beenden"
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
    fail "the game did not end from its menu"
fi
wait "$game_pid" || fail "the game ended with status $?"
game_pid=

# Nothing of the game's outside the player's folder.
stray=$(cd "$home" && find . -mindepth 1 | sed 's|^\./||' |
    grep -vxE '\.local|\.local/share|\.local/share/brixolan(/.*)?' || true)
[ -z "$stray" ] || fail "the game wrote outside its folder: $stray"
echo "first game played"
