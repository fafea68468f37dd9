#!/usr/bin/env bash
# Starts the program from a build's program folder under a virtual X display and saves a
# screenshot of its window, so the look can be checked without a desktop.
# Usage: tools/screenshot.sh [PROGRAM_DIR] [OUTPUT_PNG]   (needs xvfb, imagemagick, xdotool)
set -euo pipefail
program_dir=${1:-build/program}
output=${2:-docs/screenshot.png}
display=:97
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program_dir/vendwright" &
app=$!
window=""
for _ in $(seq 1 50); do
    window=$(DISPLAY=$display xdotool search --name 'Vendwright 2004' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; exit 1; }
# F5 runs "装入AI文件", reading the sample script so the list grid has content.
DISPLAY=$display xdotool windowsize "$window" 1360 860 windowmove "$window" 0 0
sleep 1
if [ "${LOAD_SCRIPT:-1}" = 1 ]; then
    DISPLAY=$display xdotool windowfocus --sync "$window" key F5
    sleep 1
fi
DISPLAY=$display import -window root -crop 1360x860+0+0 "$output"
echo "saved $output"
