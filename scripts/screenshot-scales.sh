#!/usr/bin/env bash
# Saves three screenshots under Xvfb into the folder given as $1 (default
# docs/): the sheet on a 1366x768 screen with a sums list the run does not
# read whole, "历史验证" at scale 2 on a 2560x1440 screen, over a history
# pasted from a site that lists dates and test numbers, and the window on a
# 1024x600 screen.
# Needs a build in build/ (scripts/build.sh); runs without feed servers.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
mkdir -p "$out"
display=:${VINTORA_SCREENSHOT_DISPLAY:-95}

source scripts/screenshot-lib.sh
own_home
awk 'BEGIN {
    srand(2026)
    for (i = 1; i <= 60; ++i) {
        n = int(rand() * 10000); t = int(rand() * 10000)
        if (i % 3 == 0) printf "2026-%02d-%02d 2026%03d %04d\n", 1 + int(i / 28), 1 + i % 28, i, n
        else printf "2026%03d %04d 试机号 %04d\n", i, n, t
    }
}' > "$XDG_DATA_HOME/vintora/history.txt"

xvfb= app=
# Waits for both to end, so the next start finds the display free.
cleanup() {
    [ -n "$app" ] && { kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; } || true
    [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
    app= xvfb=
}
trap 'cleanup; rm -rf "$home"' EXIT
export DISPLAY=$display

# Starts the program on a screen of $1 pixels at scale $2; sets $window.
start() {
    Xvfb "$display" -screen 0 "$1x24" -nolisten tcp &
    xvfb=$!
    sleep 1
    QT_SCALE_FACTOR=$2 ./build/vintora &
    app=$!
    wait_for_sheet
}

start 1366x768 1
xdotool mousemove --window "$window" 190 282 click 1    # the sums box
sleep 0.3
xdotool type --delay 60 "5 30-36"
xdotool mousemove --window "$window" 891 462 click 1    # [开始缩水]
sleep 1.5
import -window "$window" "$out/unread.png"
cleanup

start 2560x1440 2
xdotool windowfocus --sync "$window" key ctrl+h
history=$(find_window '^历史验证$')
[ -n "$history" ] || { echo "the history window did not appear" >&2; exit 1; }
sleep 1.5
import -window root "$out/history-scale2.png"
cleanup

start 1024x600 1
import -window root "$out/netbook.png"
echo "saved $out/unread.png, history-scale2.png and netbook.png"
