#!/bin/sh
# Installs what building, running and testing ZENTAL needs on Debian 12, as root or with sudo,
# plus any further Debian packages named as arguments (the CI, packaging and benchmark scripts'
# own tools). Only what is missing is installed.
set -e
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
PACKAGES="g++ cmake make qt6-base-dev libgl-dev libxcb1-dev libgeographiclib-dev fonts-liberation xdg-utils xvfb xauth dbus at-spi2-core python3-pyatspi $*"
missing=""
for package in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $package"
done
if [ -n "$missing" ]; then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
