#!/usr/bin/env bash
# Runs the in-process tests about read-only folders and files
# (UnprivilegedTest.*) as an ordinary user: root writes through any
# permission, so under root those tests would only skip themselves.
#   run_unprivileged.sh <path of gui_tests.exe>
# Needs DISPLAY (a running X server, such as the test scripts' Xvfb). As root
# it switches to the user "nobody" with setpriv, in a private home and Wine
# prefix that this user owns, removed afterwards. Fails when a test fails or
# is skipped, so a setup that silently stays writable does not pass.
set -euo pipefail
exe="$(readlink -f "$1")"
filter='UnprivilegedTest.*'
: "${DISPLAY:?a display is needed}"

run_tests() {
    local log status=0
    log="$(mktemp)"
    "$@" "--gtest_filter=$filter" 2>&1 | tee "$log" || status=$?
    if grep -q '^\[  SKIPPED \]' "$log"; then
        echo "run_unprivileged.sh: tests were skipped: read-only folders stayed writable" >&2
        status=1
    fi
    if ! grep -q '^\[  PASSED  \] [1-9]' "$log"; then
        echo "run_unprivileged.sh: no test passed" >&2
        status=1
    fi
    rm -f "$log"
    return "$status"
}

if [ "$(id -u)" != 0 ]; then
    run_tests wine "$exe"
    exit $?
fi

user=nobody
group="$(id -gn "$user")"
home="$(mktemp -d /tmp/mm-unprivileged.XXXXXX)"
chmod 755 "$home"
cp "$exe" "$home/gui_tests.exe"
chown -R "$user:$group" "$home"

as_user() {
    setpriv --reuid="$user" --regid="$group" --clear-groups \
        env -i PATH="$PATH" HOME="$home" USER="$user" DISPLAY="$DISPLAY" LANG="${LANG:-C.UTF-8}" \
        WINEPREFIX="$home/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}
cleanup() {
    as_user wineserver -k >/dev/null 2>&1 || true
    rm -rf "$home"
}
trap cleanup EXIT

as_user wine wineboot -i >/dev/null 2>&1
as_user wineserver -w
run_tests as_user wine "$home/gui_tests.exe"
