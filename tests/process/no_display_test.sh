#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started without a graphical session, or with one that cannot be reached, the game says so in
# German and ends with status 1; the drawing benchmark, which draws offscreen, ends cleanly.
# Usage: no_display_test.sh <folder of the built programs>
source "$(dirname "$0")/../packaging/testlib.sh"
built=$(cd "$1" && pwd)

for display in "" "DISPLAY=:$((90000 + RANDOM))"; do
    status=0
    # shellcheck disable=SC2086 # the assignment is one word or none
    env -i HOME="$work" $display "$built/brixolan" >"$work/out" 2>&1 || status=$?
    # Status 1 and the German message, without Qt's English text.
    [ "$status" = 1 ] && grep -q "keine grafische Anzeige gefunden" "$work/out" &&
        ! grep -qi "reinstalling\|platform plugin" "$work/out" ||
        fail "${display:-no display}: status $status (1 wanted), and printed: $(cat "$work/out")"
done

if [ -x "$built/brixolan-bench-drawing" ]; then
    logged bench env -i HOME="$work" "$built/brixolan-bench-drawing" --benchmark_min_time=0.01
fi
