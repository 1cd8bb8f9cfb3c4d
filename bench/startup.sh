#!/bin/bash
# Start-up, memory and idle-game CPU of the program, measured from outside under Xvfb:
#   first window  time from exec to the main window being mapped (polled with xdotool),
#   RSS           resident memory one second after the main window appeared,
#   CPU           user + system time over 30 s of a game started by "Schnellstart" and left
#                 alone, as a share of one core.
# Each figure is the median of several runs; the table goes to stdout and to the output file.
# The figures are reported, never judged: a slow machine does not fail anything.
#
# Usage: bench/startup.sh [program folder (default build/bin)] [runs (default 5)] [output file
#        (default: startup-results.md beside the program folder)]
# The program folder is copied first, so the measured runs write nothing into it.
set -euo pipefail

folder=${1:-build/bin}
runs=${2:-5}
output=${3:-$(dirname "$folder")/startup-results.md}
cpu_seconds=${CPU_SECONDS:-30}
title="Brixolan 1.65 Release"

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
if [ "${#missing[@]}" -gt 0 ]; then
    sudo=$([ "$(id -u)" = 0 ] || echo sudo)
    $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
[ -x "$folder/brixolan" ] || { echo "no program at $folder/brixolan (make build)" >&2; exit 1; }

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

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=:$(head -n 1 "$work/display")

now_ns() { date +%s%N; }
ticks() { # user + system clock ticks of a process
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
median() {
    tr ' ' '\n' | grep -v '^$' | sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

hz=$(getconf CLK_TCK)
first_ms=()
rss_mb=()
cpu_pct=()
notes=()

for run in $(seq "$runs"); do
    copy=$work/run$run
    mkdir -p "$copy"
    cp -r "$folder/brixolan" "$folder/libeks.so" "$folder/Grafiken" "$folder/scr" \
        "$folder/pics" "$folder/info.txt" "$copy/"
    [ -f "$folder/Brixolan.dat" ] && cp "$folder/Brixolan.dat" "$copy/"

    start=$(now_ns)
    QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work "$copy/brixolan" >"$work/log$run" 2>&1 &
    game_pid=$!
    main=
    until main=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) &&
        [ -n "$main" ]; do
        kill -0 "$game_pid" 2>/dev/null || { cat "$work/log$run" >&2; exit 1; }
        sleep 0.002
    done
    shown=$(now_ns)
    first_ms+=("$(((shown - start) / 1000000))")

    sleep 1
    rss_kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status")
    rss_mb+=("$(awk -v kb="$rss_kb" 'BEGIN { printf "%.1f", kb / 1024 }')")

    # "Datei", then "Schnellstart" with the keyboard of the open menu.
    xdotool mousemove --window "$main" 25 9 click 1
    sleep 0.3
    xdotool key Down Return
    xdotool mousemove 0 0 # the pointer away from the window, as a player's hands are
    before=$(ticks "$game_pid")
    sleep "$cpu_seconds"
    after=$(ticks "$game_pid")
    cpu_pct+=("$(awk -v t=$((after - before)) -v hz="$hz" -v s="$cpu_seconds" \
        'BEGIN { printf "%.2f", 100 * t / hz / s }')")
    if xdotool search --onlyvisible --name '^(HighScore|Highscore)$' >/dev/null 2>&1; then
        notes+=("run $run: the game ended within the ${cpu_seconds} s")
    fi

    kill "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    echo "run $run: first window ${first_ms[-1]} ms, RSS ${rss_mb[-1]} MB, CPU ${cpu_pct[-1]} %" >&2
done

{
    echo "Brixolan start-up and idle game, $runs runs, median (all runs), $(date -I)"
    echo "Machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
    echo
    echo "| measure | median | runs | aim |"
    echo "|---|---|---|---|"
    echo "| first window (ms) | $(echo "${first_ms[*]}" | median) | ${first_ms[*]} | < 150 |"
    echo "| RSS after start-up (MB) | $(echo "${rss_mb[*]}" | median) | ${rss_mb[*]} | < 40 |"
    echo "| CPU, ${cpu_seconds} s of a game without input (% of one core) |" \
        "$(echo "${cpu_pct[*]}" | median) | ${cpu_pct[*]} | < 0.5 |"
    for note in "${notes[@]+"${notes[@]}"}"; do
        echo
        echo "Note: $note"
    done
} | tee "$output"
