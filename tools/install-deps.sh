#!/usr/bin/env bash
# Installs what building, running, testing and packaging Vendwright needs on Debian 12, and any
# further packages named as arguments (CI adds its checkers and the fuzzing compiler). nodejs and
# sqlite3 run tools/make_access_fixtures.mjs, which the benchmarks use to write a large Access file;
# qt6-l10n-tools and qt6-tools-dev build the window's translations and refresh them.
set -euo pipefail
if [ "$(id -u)" != 0 ]; then
    exec sudo "$0" "$@"
fi
packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
    libsqlite3-dev mdbtools-dev libxxhash-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wqy-microhei xdg-utils
    librsvg2-bin dpkg-dev
    nodejs sqlite3
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
