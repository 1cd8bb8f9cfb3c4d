#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the program beside Qt's own, memory and idle-game CPU, measured from outside under
# Xvfb. The game and brixolan-bench-bare-window (an empty Qt main window shown at once) are
# started in turns; the time a window is mapped comes from the X server's events (xev on the
# root window), so nothing polls while a program starts:
#   first window  exec to the first window the player sees (the game's splash),
#   main window   exec to the main window (the title `brixolan --version` prints, + " Release"),
#   game / bare   median over the runs of the game's time divided by the time of the bare window
#                 started just before it,
#   RSS           resident memory one second after the main window appeared,
#   CPU           user + system time over 30 s of a game started by "Schnellstart" and left
#                 alone, as a share of one core.
# The table goes to stdout and to the output file. The figures are reported, never judged: a
# slow machine does not fail anything.
#
# Usage: bench/startup.sh [program folder (default build/bin)] [runs (default 9)] [output file
#        (default: startup-results.md beside the program folder)]
# The program folder is copied first, so the measured runs write nothing into it.
set -euo pipefail
export LC_ALL=C

folder=${1:-build/bin}
runs=${2:-9}
output=${3:-$(dirname "$folder")/startup-results.md}
cpu_seconds=${CPU_SECONDS:-30}
bare=$folder/brixolan-bench-bare-window
bare_title="Bare Qt window"

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v xev >/dev/null || missing+=(x11-utils)
if [ "${#missing[@]}" -gt 0 ]; then
    sudo=$([ "$(id -u)" = 0 ] || echo sudo)
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
[ -x "$folder/brixolan" ] || { echo "no program at $folder/brixolan (make build)" >&2; exit 1; }
[ -x "$bare" ] || { echo "no $bare (make build)" >&2; exit 1; }
title="$("$folder/brixolan" --version) Release"

work=$(mktemp -d)
xvfb_pid=
xev_pid=
stamp_pid=
program_pid=
cleanup() {
    for pid in "$program_pid" "$stamp_pid" "$xev_pid" "$xvfb_pid"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=:$(head -n 1 "$work/display")

# Every window mapped on the screen, as "<epoch seconds> <window id>", stamped when the event
# arrives.
mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" &
xev_pid=$!
while IFS= read -r line; do
    case $line in
    MapNotify*)
        IFS= read -r line
        line=${line#*window }
        echo "$EPOCHREALTIME ${line%%,*}"
        ;;
    esac
done <"$work/events" >"$work/maps" &
stamp_pid=$!
sleep 0.5

ticks() { # user + system clock ticks of a process
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
rss_mb() {
    awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"
}
median() {
    tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ms_since() { # milliseconds from $1 to $2, both epoch seconds with microseconds
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'
}

# Starts "$@" and waits until the window titled $name is mapped; then one more second. Sets
# started_at, first_at and main_at (epoch seconds of the exec, of the first window mapped and of
# that window), main_window and program_pid.
start_and_wait() {
    local name=$1 log=$2
    shift 2
    local at window tries=0
    first_at= main_at= main_window=
    started_at=$EPOCHREALTIME
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work "$@" >"$log" 2>&1 &
    program_pid=$!
    # Windows are looked at only after the start, so that no query competes with it.
    sleep 1
    while [ -z "$main_at" ]; do
        kill -0 "$program_pid" 2>/dev/null || { cat "$log" >&2; exit 1; }
        while read -r at window; do
            [ -n "$first_at" ] || first_at=$at
            if xprop -id "$window" WM_NAME 2>/dev/null | grep -qF "= \"$name\""; then
                main_at=$at
                main_window=$((window))
                break
            fi
        done < <(awk -v t="$started_at" '$1 >= t' "$work/maps")
        [ -n "$main_at" ] && break
        tries=$((tries + 1))
        [ "$tries" -lt 300 ] || { echo "no window \"$name\" within 30 s" >&2; exit 1; }
        sleep 0.1
    done
    sleep 1
}

game_first=()
game_main=()
bare_first=()
bare_main=()
first_ratio=()
main_ratio=()
game_rss=()
bare_rss=()
cpu_pct=()
notes=()
hz=$(getconf CLK_TCK)

for run in $(seq "$runs"); do
    copy=$work/run$run
    mkdir -p "$copy"
    cp -r "$folder/brixolan" "$folder/libeks.so" "$folder/Grafiken" "$folder/scr" \
        "$folder/pics" "$folder/info.txt" "$copy/"
    [ -f "$folder/Brixolan.dat" ] && cp "$folder/Brixolan.dat" "$copy/"

    # The bare window just before the game, so that both meet the same load on the machine.
    start_and_wait "$bare_title" "$work/bare$run" "$bare"
    bare_first+=("$(ms_since "$started_at" "$first_at")")
    bare_main+=("$(ms_since "$started_at" "$main_at")")
    bare_rss+=("$(rss_mb "$program_pid")")
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=

    start_and_wait "$title" "$work/log$run" "$copy/brixolan"
    game_first+=("$(ms_since "$started_at" "$first_at")")
    game_main+=("$(ms_since "$started_at" "$main_at")")
    game_rss+=("$(rss_mb "$program_pid")")

    # "Datei", then "Schnellstart" with the keyboard of the open menu.
    xdotool mousemove --window "$main_window" 25 9 click 1
    sleep 0.3
    xdotool key Down Return
    xdotool mousemove 0 0 # the pointer away from the window, as a player's hands are
    before=$(ticks "$program_pid")
    sleep "$cpu_seconds"
    after=$(ticks "$program_pid")
    cpu_pct+=("$(awk -v t=$((after - before)) -v hz="$hz" -v s="$cpu_seconds" \
        'BEGIN { printf "%.2f", 100 * t / hz / s }')")
    if xdotool search --onlyvisible --name '^(HighScore|Highscore)$' >/dev/null 2>&1; then
        notes+=("run $run: the game ended within the ${cpu_seconds} s")
    fi
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    program_pid=

    first_ratio+=("$(awk -v g="${game_first[-1]}" -v b="${bare_first[-1]}" \
        'BEGIN { printf "%.3f", g / b }')")
    main_ratio+=("$(awk -v g="${game_main[-1]}" -v b="${bare_main[-1]}" \
        'BEGIN { printf "%.3f", g / b }')")
    echo "run $run: game first ${game_first[-1]} ms, main ${game_main[-1]} ms," \
        "RSS ${game_rss[-1]} MB, CPU ${cpu_pct[-1]} %; bare ${bare_main[-1]} ms," \
        "RSS ${bare_rss[-1]} MB" >&2
done

{
    echo "Brixolan start-up beside a bare Qt window and the idle game, $runs runs in turns," \
        "median (all runs), $(date -I)"
    echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
    echo
    echo "| measure | game | bare Qt window | game / bare | aim | game, all runs | bare, all runs |"
    echo "|---|---|---|---|---|---|---|"
    echo "| exec to first window (ms) | $(echo "${game_first[*]}" | median) |" \
        "$(echo "${bare_first[*]}" | median) | $(echo "${first_ratio[*]}" | median) | |" \
        "${game_first[*]} | ${bare_first[*]} |"
    echo "| exec to main window (ms) | $(echo "${game_main[*]}" | median) |" \
        "$(echo "${bare_main[*]}" | median) | $(echo "${main_ratio[*]}" | median) | ≤ 1.10 |" \
        "${game_main[*]} | ${bare_main[*]} |"
    echo "| RSS after start-up (MB) | $(echo "${game_rss[*]}" | median) |" \
        "$(echo "${bare_rss[*]}" | median) | | < 40 | ${game_rss[*]} | ${bare_rss[*]} |"
    echo "| CPU, ${cpu_seconds} s of a game without input (% of one core) |" \
        "$(echo "${cpu_pct[*]}" | median) | | | < 0.5 | ${cpu_pct[*]} | |"
    for note in "${notes[@]+"${notes[@]}"}"; do
        echo
        echo "Note: $note"
    done
} | tee "$output"
