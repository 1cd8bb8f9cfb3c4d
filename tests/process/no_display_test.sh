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
    [ "$status" = 1 ] || fail "${display:-no display}: status $status, not 1: $(cat "$work/out")"
    grep -q "keine grafische Anzeige gefunden" "$work/out" ||
        fail "${display:-no display}: no German message: $(cat "$work/out")"
    ! grep -qi "reinstalling\|platform plugin" "$work/out" ||
        fail "${display:-no display}: Qt's English text shows: $(cat "$work/out")"
done

if [ -x "$built/brixolan-bench-drawing" ]; then
    status=0
    env -i HOME="$work" "$built/brixolan-bench-drawing" --benchmark_min_time=0.01 \
        >"$work/bench" 2>&1 || status=$?
    [ "$status" = 0 ] || fail "the drawing benchmark ended with status $status: $(tail -5 "$work/bench")"
fi
