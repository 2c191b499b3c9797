#!/bin/sh
# Starts a ZENTAL program from the desktop menu, installed as zental-desktop (for zental) and
# zental-field-desktop (for zental-field): the name without "-desktop" is the program. Both keep
# or find their data files (ZENTAL.ini, Compounds.ini, Profiles.ini) in the folder they are
# started in, so start them in one data folder of the user's own, made when missing.
set -e
program=$(basename "$0" -desktop)
data="${XDG_DATA_HOME:-$HOME/.local/share}/zental"
mkdir -p "$data"
cd "$data"
here=$(dirname "$0")
if [ -x "$here/$program" ]; then
    exec "$here/$program" "$@"
fi
exec "$program" "$@"
