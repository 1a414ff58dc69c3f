#!/usr/bin/env bash
# Runs a command with the display at another DPI, in a Wine prefix of its
# own whose LogPixels is set to it, on a private screen large enough for the
# window at 200 percent. The prefix is a copy of the test prefix (WINEPREFIX,
# already booted: a copy takes seconds, a new prefix far longer) with the DPI
# written into its registry file before its wineserver first starts; without
# a test prefix it is a new one, its wineserver restarted after the DPI is
# set. MM_DPI tells the command.
#   at_dpi.sh DPI COMMAND [ARGUMENT...]
# Ends only its own prefix's wineserver and Xvfb, and removes the prefix.
set -euo pipefail
dpi="$1"
shift
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh"
own="$(mktemp -d /tmp/mm-wine.XXXXXX)"
trap 'mm_cleanup; rm -rf "$own"' EXIT
export MM_WINEPREFIX="$own" MM_XVFB=1 MM_SCREEN=1600x1200x24 MM_DPI="$dpi"

if [ -n "${WINEPREFIX:-}" ] && [ -f "$WINEPREFIX/user.reg" ]; then
    cp -a "$WINEPREFIX/." "$own/"
    rm -rf "$own/xdg-data"
    awk -v value="$(printf 'dword:%08x' "$dpi")" '
        function put() { if (desktop && !done) { print "\"LogPixels\"=" value; done = 1 } }
        /^\[/ { put(); desktop = index($0, "[Control Panel\\\\Desktop]") == 1 }
        desktop && /^"LogPixels"=/ { next }
        { print }
        END { put() }
    ' "$own/user.reg" >"$own/user.reg.new"
    mv "$own/user.reg.new" "$own/user.reg"
    grep -q "^\"LogPixels\"=$(printf 'dword:%08x' "$dpi")" "$own/user.reg" ||
        { echo "at_dpi.sh: the prefix has no display settings to set the DPI in" >&2; exit 1; }
    export WINEPREFIX="$own" XDG_DATA_HOME="$own/xdg-data"
    mkdir -p "$XDG_DATA_HOME"
    mm_start_xvfb
else
    mm_prepare_wine
    mm_set_dpi "$dpi"
fi
"$@"
