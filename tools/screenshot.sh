#!/usr/bin/env bash
# Starts the program from a build's program folder under a virtual X display and saves
# screenshots of its window after reading the sample script: docs/screenshot.png on a roomy
# screen, and docs/screenshot-1366x768.png and docs/screenshot-1024x700.png on laptop-sized
# screens, where the window takes the size it chooses there under a window manager's title bar.
# Usage: tools/screenshot.sh [PROGRAM_DIR] [OUTPUT_DIR]
# (needs xvfb, openbox, imagemagick, xdotool)
set -euo pipefail
program_dir=${1:-build/program}
output_dir=${2:-docs}
display=:97
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

# shoot SCREEN_SIZE OUTPUT [WINDOW_SIZE]
shoot() {
    Xvfb "$display" -screen 0 "$1x24" -nolisten tcp &
    local xvfb=$!
    sleep 1
    DISPLAY=$display openbox &
    local wm=$!
    sleep 1
    # A home of its own: nothing the user opened before is remembered in the pictures.
    DISPLAY=$display HOME=$runtime XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb \
        "$program_dir/vendwright" &
    local app=$! window=""
    for _ in $(seq 1 50); do
        window=$(DISPLAY=$display xdotool search --name 'Vendwright 2004' 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    if [ -z "$window" ]; then
        kill "$app" "$wm" "$xvfb" 2>/dev/null || true
        echo "screenshot: the window did not appear" >&2
        return 1
    fi
    if [ -n "${3:-}" ]; then
        DISPLAY=$display xdotool windowsize "$window" "${3%x*}" "${3#*x}"
        DISPLAY=$display xdotool windowmove "$window" 0 0
    fi
    sleep 1
    # F5 runs "装入AI文件", reading the sample script so the list grid has content.
    DISPLAY=$display xdotool windowfocus --sync "$window" key F5
    sleep 1
    # The whole screen, title bar and all: a palette image, a tenth of the size, the same look.
    DISPLAY=$display import -window root -colors 256 "PNG8:$2"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    kill "$wm" "$xvfb" 2>/dev/null || true
    wait "$wm" "$xvfb" 2>/dev/null || true
    echo "saved $2"
}

shoot 1400x900 "$output_dir/screenshot.png" 1360x860
shoot 1366x768 "$output_dir/screenshot-1366x768.png"
shoot 1024x700 "$output_dir/screenshot-1024x700.png"
