#!/usr/bin/env bash
# xvfb_screenshot.sh BIN_DIR OUT_DIR: the real program (a scratch copy) in
# Xvfb on z4sim is drawn, and SENSOR, 125 Hz, APPLY by keyboard reach z4sim.
set -euo pipefail
bin=$1
out=$2
mkdir -p "$out"

for tool in Xvfb xdotool import identify convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

unset QT_QPA_PLATFORM QT_QUICK_BACKEND

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/app" "$work/bus"
cp "$bin/z4config" "$bin/z4sim" "$work/app/"
cp -r "$bin/modules" "$work/app/"
sed -i 's/^3=0$/3=1/' "$work/app/modules/setting/apConfig.bin"

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 20 display <"$work/display" || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$display"

log="$out/z4sim.log"
rm -f "$log"
"$work/app/z4sim" --bus "$work/bus" --log "$log" >"$work/sim.out" 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do
    [ -n "$(ls -A "$work/bus" 2>/dev/null)" ] && break
    sleep 0.1
done

"$work/app/z4config" --virtual-bus "$work/bus" >"$out/window.log" 2>&1 &
app=$!
pids+=($app)

window=""
for _ in $(seq 1 80); do
    window=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.25
done
if [ -z "$window" ]; then
    echo "no window appeared"; cat "$out/window.log"; exit 1
fi
sleep 3 # the opening, with animations off

shot="$out/window.png"
rm -f "$shot"
import -window root "$shot"
# A blank screen has a handful of colours, the skinned window hundreds.
colours=$(identify -format %k "$shot")
centre=$(convert "$shot" -gravity center -crop 800x400+0+0 +repage -format %k info:)
echo "screenshot: $shot, colours: $colours, centre colours: $centre"
[ "$colours" -gt 200 ] && [ "$centre" -gt 100 ] || { echo "the window is not drawn"; exit 1; }

xdotool windowfocus --sync "$window"
before=$(wc -l <"$log")
press() { xdotool key --delay 80 "$@"; sleep 0.4; }
press Tab Tab Tab Tab       # KEY, MACRO, COLOR, SENSOR
press Return                # opens the sensor page
sleep 0.6
press Tab                   # the report rate
press Left Left Left        # 125 Hz
press Tab Tab Tab Tab Tab Tab # sliders, DPI stages, reset, apply
press Return
sleep 2
! grep -E "qrc:/modules/qml/.*(Error|error|Unable|not defined|undefined)" "$out/window.log" || exit 1
frames=$(tail -n +"$((before + 1))" "$log" | grep '"type":"feature"' | grep '"dir":"out"' |
         sed -E 's/.*"(plain)":"([0-9a-f ]+)".*/\2/; s/.*"hex":"([0-9a-f ]+)".*/\1/')
echo "$frames"
echo "$frames" | grep -q '^00 01 08 00 00 00 00 00 f6$' || { echo "no 01H frame with 125 Hz (08)"; exit 1; }
rate_line=$(echo "$frames" | grep -n '^00 01 ' | head -n 1 | cut -d: -f1)
stage_line=$(echo "$frames" | grep -n '^00 0b ' | head -n 1 | cut -d: -f1)
[ -n "$stage_line" ] || { echo "no 0BH frame"; exit 1; }
[ "$rate_line" -lt "$stage_line" ] || { echo "0BH came before 01H"; exit 1; }
