#!/bin/bash
# The menu entry and the AppStream file pass their validators with no errors and no warnings
# (hints and infos are allowed).
# Usage: validate_metadata.sh <desktop file> <metainfo file>
set -euo pipefail
. "$(dirname "$0")/testlib.sh"
need desktop-file-validate appstreamcli

desktop=$1
metainfo=$2

if ! report=$(desktop-file-validate "$desktop" 2>&1); then
    printf '%s\n' "$report" >&2
    fail "desktop-file-validate rejects $desktop"
fi
if grep -E '(error|warning):' <<<"$report" >&2; then
    fail "desktop-file-validate complains about $desktop"
fi
grep -qx 'Categories=Game;BlocksGame;' "$desktop" || fail "$desktop lacks Categories=Game;BlocksGame;"

status=0
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || status=$?
printf '%s\n' "$report"
[ "$status" = 0 ] || fail "appstreamcli validate fails on $metainfo"
if grep -E '^(E|W):' <<<"$report" >/dev/null; then
    fail "appstreamcli reports errors or warnings for $metainfo"
fi
grep -q '<launchable type="desktop-id">brixolan.desktop</launchable>' "$metainfo" ||
    fail "$metainfo does not launch brixolan.desktop"
echo "metadata valid"
