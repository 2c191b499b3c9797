#!/bin/sh
# Starts ZENTAL from the desktop menu. The program keeps its data files (ZENTAL.ini,
# Compounds.ini, Profiles.ini) in the folder it is started in, so start it in a data folder of
# the user's own, made when missing.
set -e
data="${XDG_DATA_HOME:-$HOME/.local/share}/zental"
mkdir -p "$data"
cd "$data"
here=$(dirname "$0")
if [ -x "$here/zental" ]; then
    exec "$here/zental" "$@"
fi
exec zental "$@"
