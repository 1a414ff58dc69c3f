#!/usr/bin/env bash
# The window at 120, 144 and 192 dpi, by hand: the display-scale fixture and
# the pointer and keyboard roads (tests/e2e/road.py) at each DPI, each in a
# prefix and on a screen of its own (tests/at_dpi.sh). CI runs the fixture
# at all three and the road at 144 only.
#   bash scripts/dpi-check.sh [DPI...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" >/dev/null
. "$root/scripts/wine-env.sh"
trap mm_cleanup EXIT
unset MM_WINEPREFIX
export MM_XVFB=1
mm_prepare_wine
export MM_SOURCE_DIR="$root"
dpis=("$@")
[ "${#dpis[@]}" -gt 0 ] || dpis=(120 144 192)
failed=()
for dpi in "${dpis[@]}"; do
    echo "== $dpi dpi"
    bash "$root/tests/at_dpi.sh" "$dpi" wine "$BUILD_DIR/tests/gui_tests.exe" --gtest_filter='DisplayScale*' ||
        failed+=("fixture at $dpi")
    bash "$root/tests/at_dpi.sh" "$dpi" /usr/bin/python3 "$root/tests/e2e/road.py" "$BUILD_DIR/MaterialManager.exe" \
        "$root/sample" "$BUILD_DIR/e2e-artifacts-$dpi" || failed+=("road at $dpi")
done
if [ "${#failed[@]}" -gt 0 ]; then
    printf 'failed: %s\n' "${failed[@]}"
    exit 1
fi
echo "all passed at ${dpis[*]} dpi"
