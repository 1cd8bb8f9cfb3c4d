#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Stone bitmaps of 30, 60 and 200 pixels on an 800 x 600 screen: the main window, shown smaller
# where it would not fit, lies wholly on the screen. A private X server without a window
# manager, so the window stands exactly where the game puts it.
# Usage: small_screen_test.sh <folder of the built program>
source "$(dirname "$0")/../packaging/testlib.sh"
need Xvfb xdotool perl

built_program "$1"
start_xvfb 800x600

# A solid 24-bit Windows bitmap of side x side pixels.
write_bitmap() {
    perl -e 'my ($side, $file) = @ARGV; my $row = (3 * $side + 3) & ~3;
        my $pixels = ("\x30\x60\xc0" x $side . "\0" x ($row - 3 * $side)) x $side;
        open(my $out, ">:raw", $file) or die; print $out pack("A2 V v v V V V V v v V V V V V V",
        "BM", 54 + length $pixels, 0, 0, 54, 40, $side, $side, 1, 24, 0, length $pixels,
        2835, 2835, 0, 0), $pixels;' "$1" "$2"
}

for side in 30 60 200; do
    folder=$work/$side
    mkdir -p "$folder"
    cp -r "$built/brixolan" "$built/scr" "$built/Grafiken" "$built/pics" "$built/info.txt" "$folder"
    for letter in A B C D E F G; do write_bitmap "$side" "$folder/Grafiken/Stein$letter.bmp"; done
    env -i HOME="$folder" PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$work" \
        QT_QPA_PLATFORM=xcb LANG=C.UTF-8 "$folder/brixolan" >"$folder/game.log" 2>&1 &
    game=$!
    within 15 titled "$main_title" >/dev/null || fail "$side px: no main window"
    sleep 0.5 # the window's final place
    eval "$(xdotool getwindowgeometry --shell "$(titled "$main_title")")"
    ((X >= 0 && Y >= 0 && X + WIDTH <= 800 && Y + HEIGHT <= 600)) ||
        fail "$side px: the window at $X,$Y, $WIDTH x $HEIGHT, leaves the 800 x 600 screen"
    echo "ok  $side px: $WIDTH x $HEIGHT at $X,$Y"
    kill "$game"
    wait "$game" 2>/dev/null || true
    game=
done
