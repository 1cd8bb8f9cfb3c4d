#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The messages of real failures stay German whatever the locale: the C++ tests of the error
# texts (FilesTest.cpp) run under C, POSIX and tr_TR.UTF-8, where the system's own texts are English or Turkish.
# tr_TR.UTF-8 is built into the test's folder when the machine lacks it; where it cannot be
# built, that locale is skipped with a message.
# Usage: error_locales_test.sh <platform test program>
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

locales=(C POSIX)
if locale -a 2>/dev/null | grep -qix 'tr_TR\.utf-\?8'; then
    locales+=(tr_TR.UTF-8)
elif localedef -i tr_TR -f UTF-8 "$work/tr_TR.UTF-8" >/dev/null 2>&1; then
    export LOCPATH=$work
    locales+=(tr_TR.UTF-8)
else
    echo "SKIP tr_TR.UTF-8: the machine lacks it and localedef could not build it"
fi
for locale in "${locales[@]}"; do
    out=$(LC_ALL=$locale LANGUAGE= "$program" --gtest_filter='ErrorTexts.*' 2>&1) ||
        { echo "$out"; echo "FAIL under $locale" >&2; exit 1; }
    ! grep -q '\[  SKIPPED \]' <<<"$out" || { echo "FAIL: $locale is not in force" >&2; exit 1; }
    echo "ok  $locale"
done
