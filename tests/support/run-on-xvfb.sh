#!/bin/sh
# Runs a command on an X server of its own, at 96 DPI. Xvfb chooses a free display itself and
# reports it (-displayfd) once it accepts connections, so tests started side by side never
# collide; the server is stopped and waited for however the command ends.
# Usage: [XVFB_SCREEN=WxHxD] run-on-xvfb.sh command [argument...]
set -u
work=$(mktemp -d)
server=""
stop() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -rf "$work"
}
trap stop EXIT
trap 'exit 143' INT TERM HUP

mkfifo "$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 "${XVFB_SCREEN:-800x700x24}" -dpi 96 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
# Blocks until Xvfb writes the display's number; an empty read means it ended first.
read -r display <"$work/display" || display=""
if [ -z "$display" ]; then
    echo "run-on-xvfb.sh: Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
DISPLAY=":$display" "$@"
