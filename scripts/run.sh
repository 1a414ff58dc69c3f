#!/usr/bin/env bash
# Runs the material manager on the bundled sample library, with the printer
# driver's side simulated. Usage: scripts/run.sh [MODEL [LANGUAGE]]
#   MODEL: R250 (default), VTX, Vortan, VTE   LANGUAGE: English (default), German, Japanese, ...
# Without a display it runs under a private Xvfb, saves a screenshot and
# prints its path. The Wine prefix is kept in build/run-prefix, so custom
# materials saved in one run are there in the next.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
model="${1:-R250}"
language="${2:-English}"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" --target MaterialManager >/dev/null
. "$root/scripts/wine-env.sh"
trap mm_cleanup EXIT
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
export MM_WINEPREFIX="${MM_WINEPREFIX:-$BUILD_DIR/run-prefix}"
mkdir -p "$MM_WINEPREFIX"
mm_prepare_wine
args=(--exe "$BUILD_DIR/MaterialManager.exe" --library "$root/sample/ZOR"
      --language-file "$root/sample/Engravix/~PMLang.dat" --model "$model" --lang "$language")
if [ "$headless" = 1 ]; then
    args+=(--screenshot "$BUILD_DIR/screenshots/run-$model-${language// /_}.png")
fi
/usr/bin/env python3 "$root/tools/driver_sim.py" "${args[@]}"
