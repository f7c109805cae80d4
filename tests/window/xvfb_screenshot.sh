#!/usr/bin/env bash
# Starts z4config --demo under Xvfb, waits for its window and the opening
# animation, takes a screenshot of the screen and checks that the window is
# really drawn there.
set -euo pipefail
bin=$1
out=$2
mkdir -p "$out"
shot="$out/window.png"
rm -f "$shot"

for tool in xvfb-run xdotool import identify convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# Keep the test's own offscreen setting away from the real X session.
unset QT_QPA_PLATFORM QT_QUICK_BACKEND

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -u
    "$0/z4config" --demo >"$1/window.log" 2>&1 &
    pid=$!
    window=""
    for _ in $(seq 1 80); do
        window=$(xdotool search --onlyvisible --name "Z4" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.25
    done
    if [ -z "$window" ]; then
        echo "no window appeared"; kill "$pid" 2>/dev/null; cat "$1/window.log"; exit 1
    fi
    sleep 7 # the opening animation and the sliding menus
    xdotool getwindowgeometry "$window"
    import -window root "$2"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' "$bin" "$out" "$shot"

[ -s "$shot" ] || { echo "no screenshot"; exit 1; }
# A blank or black screen has a handful of colours; the skinned window has
# gradients, text and icons.
colours=$(identify -format %k "$shot")
# The window sits in the middle third of the screen: that part must not be
# uniform either.
centre=$(convert "$shot" -gravity center -crop 800x400+0+0 +repage -format %k info:)
echo "screenshot: $shot, colours: $colours, centre colours: $centre"
[ "$colours" -gt 200 ] && [ "$centre" -gt 100 ]
