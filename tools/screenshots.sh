#!/bin/sh
# The README's screenshots of the main window after "50 Sn" at the NT value 50000, at 96 DPI and
# at twice the scale, and of ZENTAL Field after choosing Denver, each on an X server of its own
# without a window manager.
# Usage: sh tools/screenshots.sh [build folder]   (default: build)
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(realpath "${1:-build}")
sh tools/install-deps.sh imagemagick xdotool

shot() {
    scale="$1"
    out="$2"
    data=$(mktemp -d)
    printf '\r\n50000\r\n\r\n' >"$data/ZENTAL.ini"
    (cd "$data" && XVFB_SCREEN=2000x2000x24 sh "$root/tests/support/run-on-xvfb.sh" sh -c '
        QT_SCALE_FACTOR="$2" QT_QPA_PLATFORM=xcb "$1" &
        app=$!
        window=$(xdotool search --sync --name "^ZENTAL Frequencies")
        # "50 Sn" stands at 400, 192 in the client area, 20 pixels below the window top.
        xdotool mousemove --window "$window" $((412 * $2)) $((228 * $2)) click 1
        sleep 1 # the repaint; a picture, not a test
        eval "$(xdotool getwindowgeometry --shell "$window")"
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$3"
        kill $app
        wait $app || true
    ' sh "$build/bin/zental" "$scale" "$root/$out")
    rm -rf "$data"
    echo "wrote $out"
}

fieldshot() {
    out="$1"
    data=$(mktemp -d)
    (cd "$data" && XVFB_SCREEN=1200x900x24 sh "$root/tests/support/run-on-xvfb.sh" sh -c '
        QT_QPA_PLATFORM=xcb "$1" &
        app=$!
        window=$(xdotool search --sync --name "^ZENTAL Field")
        xdotool windowfocus --sync "$window"
        sleep 1 # the places load; a picture, not a test
        xdotool type --delay 50 "Denver"
        xdotool key Down Return
        sleep 1
        eval "$(xdotool getwindowgeometry --shell "$window")"
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$2"
        kill $app
        wait $app || true
    ' sh "$build/bin/zental-field" "$root/$out")
    rm -rf "$data"
    echo "wrote $out"
}

shot 1 docs/main-window.png
shot 2 docs/main-window-2x.png
fieldshot docs/field-window.png
