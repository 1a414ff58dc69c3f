#!/usr/bin/env bash
# Saves and imports cut short: the crash driver saves and imports into one
# "Customize" folder until this script ends it with kill -9 at a random
# moment, KILLS times over. Each new run first checks what the last kill
# left (every material holds its old or its new content, byte for byte, and
# a start lists no temporary file); the last check also lets the start-up
# clean-up remove the leftovers once they are old enough.
#
#   bash tests/crash/kill_saves.sh DRIVER.exe [KILLS]     (CI: 30, by hand: 200 or more)
#
# Runs in the Wine prefix the test command prepared, or in one of its own
# when WINEPREFIX is not set. MM_CRASH_SEED repeats the moments of a run.
set -euo pipefail
driver="$1"
kills="${2:-200}"
seed="${MM_CRASH_SEED:-$(( $(date +%s) % 32768 ))}"
RANDOM=$seed

pid=""
holder=""
stop_driver() {
    if [ -n "$pid" ]; then
        kill -9 "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        pid=""
    fi
}
stop_holder() {
    if [ -n "$holder" ]; then
        : >"$work_unix/stop"
        for _ in $(seq 1 50); do
            kill -0 "$holder" 2>/dev/null || break
            sleep 0.1
        done
        kill "$holder" 2>/dev/null || true
        wait "$holder" 2>/dev/null || true
        holder=""
    fi
}
own_prefix=0
if [ -z "${WINEPREFIX:-}" ]; then
    . "$(dirname "$0")/../../scripts/wine-env.sh"
    own_prefix=1
    mm_prepare_wine
fi
work_unix=""
finish() {
    stop_driver
    stop_holder
    if [ -n "$work_unix" ] && [ "${MM_KEEP_CRASH:-0}" != 1 ]; then
        rm -rf "$work_unix"
    fi
    if [ "$own_prefix" = 1 ]; then
        mm_cleanup
    fi
}
trap finish EXIT

# In memory where the system has it: what a kill leaves is the same there,
# and the flushes that guard against a power cut cost nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    work_unix="$(mktemp -d /dev/shm/mm-crash.XXXXXX)"
    work="Z:${work_unix//\//\\}"
else
    work_unix="$WINEPREFIX/drive_c/mm-crash"
    work='C:\mm-crash'
    rm -rf "$work_unix"
fi
echo "crash test: $kills kills, seed $seed"

wine "$driver" init "$work" || { echo "FAIL: the driver could not lay out its library"; exit 1; }

# With the killed program the last one of the prefix, Wine would end its
# session and start it afresh for the next run, seconds each time.
wine "$driver" hold "$work" &
holder=$!

started=$(date +%s)
for i in $(seq 1 "$kills"); do
    rm -f "$work_unix/ready"
    wine "$driver" run "$work" &
    pid=$!
    # Past its check of the last kill and into its saves, then a moment
    # somewhere within the next few dozen steps.
    for _ in $(seq 1 500); do
        [ -e "$work_unix/ready" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.02
    done
    [ -e "$work_unix/ready" ] || { echo "FAIL: run $i never began to save"; exit 1; }
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    stop_driver
done
elapsed=$(( $(date +%s) - started ))
stop_holder

wine "$driver" check "$work" | tr -d '\r' || true
steps=$(grep -c '^E ' "$work_unix/journal.txt" || true)
runs=$(grep -c . "$work_unix/verdicts.txt" || true)
failed=$(grep -v '^ok' "$work_unix/verdicts.txt" || true)
echo "crash test: $kills kills in ${elapsed} s, $steps saves and imports completed, $runs checks"
if [ "$runs" -ne $((kills + 1)) ] || [ -n "$failed" ]; then
    echo "FAIL (seed $seed):"
    grep -v '^ok' "$work_unix/verdicts.txt" || true
    exit 1
fi
echo "every material held its old or its new content after each kill; no temporary file was listed"
