#!/usr/bin/env bash
# The real executable starts, its window appears, Esc ends it and the process
# exits. Runs in the Wine prefix and display that the test command prepared.
set -euo pipefail
exe="$1"
sample="$2"
: "${WINEPREFIX:?needs the test prefix}" "${DISPLAY:?needs a display}"

# The driver's side: the sample library and an R250 / English hand-off.
data="$WINEPREFIX/drive_c/users/Public/ZOR/Engravix"
rm -rf "$WINEPREFIX/drive_c/ZOR" && cp -r "$sample/ZOR" "$WINEPREFIX/drive_c/ZOR"
mkdir -p "$data" && cp "$sample/Engravix/~PMLang.dat" "$sample/Engravix/~Drv2Ma.dat" "$data/"
rm -f "$data/~Ma2Drv.dat"

wine "$exe" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=""
for _ in $(seq 1 120); do
    window=$(xdotool search --name '^Vexcut_Preview$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.25
done
[ -n "$window" ] || { echo "FAIL: window Vexcut_Preview did not appear"; exit 1; }
echo "window $window appeared"

# The window may be mapped before its start-up has shaped it.
for _ in $(seq 1 40); do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$WIDTH" = 600 ] && [ "$HEIGHT" = 400 ] && break
    sleep 0.25
done
echo "geometry ${WIDTH}x${HEIGHT} at ${X},${Y}"
[ "$WIDTH" = 600 ] && [ "$HEIGHT" = 400 ] || { echo "FAIL: window is ${WIDTH}x${HEIGHT}, not 600x400"; exit 1; }

# The dialog may still be finishing its start-up: press Esc until it is gone.
for _ in $(seq 1 20); do
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key Escape
    for _ in $(seq 1 10); do
        kill -0 $pid 2>/dev/null || break 2
        sleep 0.1
    done
done
if kill -0 $pid 2>/dev/null; then
    echo "FAIL: the process did not end after Esc"
    exit 1
fi
wait $pid || true
trap - EXIT
echo "1 passed, 0 failed"
