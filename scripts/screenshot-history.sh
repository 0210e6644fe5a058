#!/usr/bin/env bash
# Saves the tabs of "历史验证" under Xvfb into the folder given as $1
# (default docs/): the back-test of the past draws after the start-up update
# beside chance, the picture of the last run's survivors, what each
# condition costs and the tolerance trade-off. The conditions are those of
# scripts/screenshot.sh. Needs a build in build/ (scripts/build.sh); starts a
# feed server of its own whose draws disagree with one the player entered
# and leave a gap.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
mkdir -p "$out"
display=:${VINTORA_SCREENSHOT_DISPLAY:-96}

# A user folder of its own, holding a history of 100 draws (one line broken).
source scripts/screenshot-lib.sh
own_home
awk 'BEGIN {
    srand(2024); print "# 期号 开奖号"
    for (i = 1; i <= 100; ++i) {
        n = int(rand() * 10000)
        if (i == 57) print "2024057 开奖延期"
        else if (i % 3 == 0) printf "2024%03d %d,%d,%d,%d\n", i, n / 1000, n / 100 % 10, n / 10 % 10, n % 10
        else printf "2024%03d %04d\n", i, n
    }
}' > "$XDG_DATA_HOME/vintora/history.txt"

# The served draws: the same, but for one the operator drew differently, and
# two more with a draw missing between them.
mkdir -p "$home/feed"
awk '$1 == "2024050" { print "2024050 0505"; next } { print }
     END { print "2024101 1010"; print "2024103 3030" }' \
    "$XDG_DATA_HOME/vintora/history.txt" > "$home/feed/draws.txt"

start_display
./build/server/vintora-feed-server --port 0 --folder "$home/feed" --reports "$home/reports.txt" > "$home/server.txt" &
helpers=$!
for _ in $(seq 50); do
    grep -q '^listening on' "$home/server.txt" && break
    sleep 0.1
done
export VINTORA_FEED_PRIMARY="$(sed -n 's/^listening on \(.*\)$/\1/p' "$home/server.txt")m/4x/"
export VINTORA_FEED_SECONDARY="${VINTORA_FEED_PRIMARY%m/4x/}none/"
sleep 1

./build/vintora &
app=$!
wait_for_sheet

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.15; }
for xy in "102 517" "138 517" "138 539" "135 587" "436 97" "500 197" "574 117" "427 263" \
          "471 305" "538 488" "581 488" "39 395" "59 395" "53 145" "67 306"; do
    click "$window" $xy
done
click "$window" 891 462     # [开始缩水]
sleep 1
xdotool windowfocus --sync "$window" key ctrl+h
history=$(find_window '^历史验证$')
[ -n "$history" ] || { echo "the history window did not appear" >&2; exit 1; }
sleep 1.5
import -window "$history" "$out/history.png"
click "$history" 118 20     # the tab "结果分布"
sleep 1
import -window "$history" "$out/distribution.png"
click "$history" 195 20     # "条件效率"
click "$history" 740 83     # sorted by the p-value
sleep 1
import -window "$history" "$out/efficiency.png"
click "$history" 272 20     # "容错取舍"
sleep 1
import -window "$history" "$out/tradeoff.png"
echo "saved $out/history.png, distribution.png, efficiency.png and tradeoff.png"
