#!/bin/sh
# Starts the demo from the folder this script lies in, wherever that is: the program finds
# data.dat in the current folder and its decoder library beside itself. Reached through a link
# (the Debian package's /usr/bin/orbek42), it follows the link to that folder.
here=$(dirname "$(readlink -f "$0")") || exit 1
cd "$here" || exit 1
exec ./orbek42 "$@"
