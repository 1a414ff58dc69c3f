#!/usr/bin/env bash
# Runs a command with the display at another DPI, in a Wine prefix of its
# own whose LogPixels is set to it, the prefix's wineserver restarted so
# that the program starts with it, on a private screen large enough for the
# window at 200 percent. The prefix is a copy of the test prefix
# (WINEPREFIX, already booted: a copy takes seconds, a new prefix far
# longer), or a new one when there is none. MM_DPI tells the command.
#   at_dpi.sh DPI COMMAND [ARGUMENT...]
# Ends only its own prefix's wineserver, and removes that prefix.
set -euo pipefail
dpi="$1"
shift
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh"
own="$(mktemp -d /tmp/mm-wine.XXXXXX)"
trap 'mm_cleanup; rm -rf "$own"' EXIT
if [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/system.reg" ]; then
    cp -a "$WINEPREFIX/." "$own/"
    rm -rf "$own/xdg-data"
fi
export MM_WINEPREFIX="$own" MM_XVFB=1 MM_SCREEN=1600x1200x24
mm_prepare_wine
mm_set_dpi "$dpi"
export MM_DPI="$dpi"
"$@"
