#!/usr/bin/env bash
# Starts the local feed servers and the program under Xvfb and saves five
# screenshots into the folder given as $1 (default docs/): the sheet as it
# opens; the strip's live count once a player has picked a few conditions;
# the sheet after "[开始缩水]"; the strip once a drawn number the run left
# out is checked and a box is ticked since; and the sheet saved as a scheme
# and loaded again.
# Needs a build in build/ (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
mkdir -p "$out"
display=:${VINTORA_SCREENSHOT_DISPLAY:-97}

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
xvfb=$!
app=
servers=$(bash scripts/feed-servers.sh)
scratch=$(mktemp -d)
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill $servers "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1

./build/vintora &
app=$!
window=
for _ in $(seq 50); do
    window=$(xdotool search --name '^Vintora' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
# The start-up feed ends with a notice: the feed's news, or the network
# failure help when no feed server runs. It would hold every click.
notice=
for _ in $(seq 25); do
    notice=$(xdotool search --name '^温馨提示$' 2>/dev/null | head -n 1 || true)
    [ -n "$notice" ] && break
    sleep 0.2
done
if [ -n "$notice" ]; then
    xdotool windowfocus --sync "$notice" key Return
fi
sleep 1.5
import -window "$window" "$out/sheet.png"

# Positions inside the window, in pixels: the controls' centres on the sheet.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.15; }
click 102 517   # 大小比 1:3
click 138 517   # 大小比 2:2
click 138 539   # 奇偶比 2:2
click 135 587   # 杀特殊形态 下山
click 436 97    # 杀大小形态, first row
click 500 197   # 小小小小
click 574 117   # 杀奇偶形态
click 427 263   # 012路 0000
click 471 305   # 012路 0201
click 538 488   # 4连
click 581 488   # AAAA
click 39 395    # 胆组 row 1: digit 1
click 59 395    # 胆组 row 1: digit 2
click 53 145    # 定位杀 千位 0
click 67 306    # 杀跨度 0
sleep 1
strip() { import -window "$window" "$out/$1"; mogrify -gravity south -crop 969x60+0+0 +repage "$out/$1"; }
strip live_count.png
click 891 462   # [开始缩水]
sleep 1
import -window "$window" "$out/run.png"
click 933 431   # 中奖查询
xdotool type --delay 50 0000
click 88 328    # 通杀码 1
sleep 1
strip strip.png

# The sheet saved as a scheme, cleared, and loaded again.
scheme=$scratch/plan.json
through_dialog() {    # $1 the keys that open it, $2 its title
    xdotool windowfocus --sync "$window" key "$1"
    local dialog=
    for _ in $(seq 25); do
        dialog=$(xdotool search --name "^$2\$" 2>/dev/null | head -n 1 || true)
        [ -n "$dialog" ] && break
        sleep 0.2
    done
    [ -n "$dialog" ] || { echo "the dialog $2 did not appear" >&2; exit 1; }
    sleep 0.5
    xdotool windowfocus --sync "$dialog" key ctrl+a type --delay 30 "$scheme"
    xdotool key Return
    sleep 1
}
through_dialog ctrl+s 保存方案
click 891 555   # 清空条件
through_dialog ctrl+o 载入方案
import -window "$window" "$out/schemes.png"
echo "saved $out/sheet.png, live_count.png, run.png, strip.png and schemes.png"
