#!/bin/sh
# Starts the program under Xvfb with its accessibility bridge on, in a fresh D-Bus session, and
# runs atspi_check.py against it. Usage: run_atspi_check.sh path/to/zental
set -e
zental=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
exec dbus-run-session -- xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" sh -c '
    set -e
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    launcher=$!
    data=$(mktemp -d)
    cd "$data"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$1" &
    app=$!
    status=0
    /usr/bin/python3 "$2/atspi_check.py" || status=$?
    kill $app $launcher 2>/dev/null || true
    rm -rf "$data"
    exit $status
' sh "$zental" "$here"
