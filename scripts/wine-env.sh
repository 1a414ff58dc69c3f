# Sourced by the other scripts: a private Wine prefix and, when there is no
# display, a private Xvfb. Only what is started here is ended by mm_cleanup.
#   MM_WINEPREFIX  use this prefix instead of a fresh temporary one
#   MM_XVFB=1      start a private Xvfb even when DISPLAY is set
#   MM_SCREEN      the private Xvfb's screen (default 1024x768x24)

mm_started_xvfb=""
mm_made_prefix=""

# A private Xvfb when there is no display or MM_XVFB=1 asks for one.
mm_start_xvfb() {
    if [ -z "${DISPLAY:-}" ] || [ "${MM_XVFB:-0}" = 1 ]; then
        local n
        for n in $(seq 90 140); do
            [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
            Xvfb ":$n" -screen 0 "${MM_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
            mm_started_xvfb=$!
            export DISPLAY=":$n"
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            break
        done
    fi
}

mm_prepare_wine() {
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ -n "${MM_WINEPREFIX:-}" ]; then
        export WINEPREFIX="$MM_WINEPREFIX"
    else
        export WINEPREFIX="$(mktemp -d /tmp/mm-wine.XXXXXX)"
        mm_made_prefix="$WINEPREFIX"
    fi
    # Wine's Recycle Bin is the desktop trash under XDG_DATA_HOME: what the
    # tests delete goes there, not into the user's own trash.
    export XDG_DATA_HOME="$WINEPREFIX/xdg-data"
    mkdir -p "$XDG_DATA_HOME"
    mm_start_xvfb
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot -i >/dev/null 2>&1
    fi
    # Without a window manager Wine draws no caption of its own; letting it
    # paint the non-client area itself makes the program's caption strip show.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Windows links its CJK fonts to Arial, so Chinese and Japanese labels
    # drawn in Arial show; Wine's prefix needs the same link to a CJK font.
    local face
    for face in "Arial" "Arial Black"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    wineserver -w 2>/dev/null || true
}

# The prefix's display DPI (LogPixels); its wineserver is restarted so that
# the next program starts with it.
mm_set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
}

mm_cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    if [ -n "$mm_started_xvfb" ]; then
        kill "$mm_started_xvfb" 2>/dev/null || true
        wait "$mm_started_xvfb" 2>/dev/null || true
    fi
    if [ -n "$mm_made_prefix" ] && [ "${MM_KEEP_PREFIX:-0}" != 1 ]; then
        rm -rf "$mm_made_prefix"
    fi
}
