#!/usr/bin/env bash
# Saves the omission figures under Xvfb into the folder given as $1 (default
# docs/): the sheet with "显示遗漏" on, and the trend chart of the last 100
# draws with its figures and lines. The draws are 120 made up ones, taken
# into a new store from history.txt. Needs a build in build/
# (scripts/build.sh); no feed server.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
mkdir -p "$out"
display=:${VINTORA_SCREENSHOT_DISPLAY:-98}

source scripts/screenshot-lib.sh
own_home
awk 'BEGIN { srand(2026); for (i = 1; i <= 120; ++i) printf "2026%03d %04d\n", i, int(rand() * 10000) }' \
    > "$XDG_DATA_HOME/vintora/history.txt"
# Nothing answers here, so the start-up update fails at once.
export VINTORA_FEED_PRIMARY=http://127.0.0.1:9/none/ VINTORA_FEED_SECONDARY=http://127.0.0.1:9/none/

start_display
sleep 1

./build/vintora &
app=$!
wait_for_sheet

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
click "$window" 436 97      # 杀大小形态, first row: selected, with its figure
click "$window" 53 145      # 定位杀 千位 0: ticked, with its figure
click "$window" 404 628     # 显示遗漏
sleep 0.5
import -window "$window" "$out/omission.png"
click "$window" 352 628     # 走势
history=$(find_window '^历史验证$')
[ -n "$history" ] || { echo "the history window did not appear" >&2; exit 1; }
sleep 1.5
import -window "$history" "$out/trend.png"
echo "saved $out/omission.png and $out/trend.png"
