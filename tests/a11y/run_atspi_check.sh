#!/bin/sh
# Starts the program on an X server of its own with its accessibility bridge on, in a fresh D-Bus
# session (which starts the accessibility bus when the program asks for it), and runs
# atspi_check.py against it. Usage: run_atspi_check.sh path/to/zental
set -e
zental=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
# shellcheck disable=SC2016 # the inner shell expands them
exec dbus-run-session -- sh "$here/../support/run-on-xvfb.sh" sh -c '
    data=$(mktemp -d)
    cd "$data"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$1" &
    app=$!
    status=0
    /usr/bin/python3 "$2/atspi_check.py" || status=$?
    kill $app 2>/dev/null
    wait $app
    rm -rf "$data"
    exit $status
' sh "$zental" "$here"
