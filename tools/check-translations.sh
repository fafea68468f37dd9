#!/usr/bin/env bash
# Fails when the English translation is out of date with the sources (a text of the window that
# it lacks, or one the sources no longer have) or holds an entry that is unfinished or empty.
# Fixed by tools/update-translations.sh, translating what it marks unfinished, and committing.
set -euo pipefail
cd "$(dirname "$0")/.."
ts=translations/vendwright_en.ts
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fresh=$work/vendwright_en.ts
tools/update-translations.sh "$fresh"
if ! cmp -s "$ts" "$fresh"; then
    echo "$ts is out of date with the sources; run tools/update-translations.sh:" >&2
    diff -u "$ts" "$fresh" >&2 || true
    exit 1
fi
unfinished='type="(unfinished|vanished|obsolete)"|<translation>[[:space:]]*</translation>|<translation/>|<numerusform>[[:space:]]*</numerusform>|<numerusform/>'
if grep -Eq "$unfinished" "$ts"; then
    echo "$ts has entries without a finished translation:" >&2
    grep -En -B3 "$unfinished" "$ts" >&2
    exit 1
fi
echo "$ts: every text of the window is translated"
