#!/usr/bin/env bash
# Refreshes the English translation, translations/vendwright_en.ts, from the sources: texts new
# to the sources come in unfinished for a translator (Qt Linguist, or an editor), texts that
# left them are dropped, and every translation of a text still there is kept. No line numbers
# are stored, so only a change of the texts changes the file. Every source file but those of
# vendwright-cli and vendwright-import, which speak English, is read; the build's
# update_translations target reads the same files with the same options.
#
#   tools/update-translations.sh [OUT]   writes the refreshed file to OUT instead (the check
#                                        in tools/check-translations.sh compares the two)
set -euo pipefail
cd "$(dirname "$0")/.."
ts=translations/vendwright_en.ts
out=${1:-$ts}
if [ "$out" != "$ts" ]; then
    cp "$ts" "$out"
fi
lupdate="$(qtpaths6 --query QT_HOST_BINS)/lupdate"
sources=$(mktemp)
trap 'rm -f "$sources"' EXIT
find src \( -path src/cli -o -path src/import \) -prune -o \( -name '*.cpp' -o -name '*.h' \) \
    -print | LC_ALL=C sort >"$sources"
"$lupdate" -silent -locations none -no-obsolete -source-language zh_CN -target-language en \
    -I src @"$sources" -ts "$out"
