# Sourced by ./run: a private X display with two monitors and a private Wine prefix.
# start_display exports DISPLAY, WINEPREFIX, WINEDEBUG, TESSALIN_WINE and
# TESSALIN_MONITORS (2, or 1 on the Xvfb fallback); stop_display stops exactly the X
# server and wineserver it started, by process id.

DISPLAY_TMP=""
X_PID=""
WINESERVER_PID=""

find_wine() {
    local candidate
    for candidate in /usr/lib/wine/wine64 "$(dpkg -L wine64 2>/dev/null | grep '/wine64$' | head -1)"; do
        [[ -x "$candidate" ]] && { echo "$candidate"; return; }
    done
    echo "cannot find Wine's wine64 loader" >&2
    return 1
}

free_display_number() {
    local n
    # Start at a random number so that two runs on one machine rarely race for the same one.
    local start=$((70 + RANDOM % 30)) i
    for i in $(seq 0 29); do
        n=$((70 + (start - 70 + i) % 30))
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] || { echo "$n"; return; }
    done
    return 1
}

wait_for_x() {
    local i
    for i in $(seq 1 50); do
        xrandr --display "$1" >/dev/null 2>&1 && return 0
        kill -0 "$X_PID" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

start_dummy_xorg() {
    cat >"$DISPLAY_TMP/xorg.conf" <<'CONF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 256000
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4096 2048
    EndSubSection
EndSection
CONF
    Xorg ":$1" -config "$DISPLAY_TMP/xorg.conf" -noreset -nolisten tcp \
        -logfile "$DISPLAY_TMP/xorg.log" >"$DISPLAY_TMP/xorg.out" 2>&1 &
    X_PID=$!
    wait_for_x ":$1" || return 1
    # The second monitor lies left of the primary one, so it has negative coordinates
    # under Windows: primary at (0,0) 1024x768, the other at (-800,0) 800x600.
    xrandr --display ":$1" --addmode DUMMY1 800x600 &&
        xrandr --display ":$1" --output DUMMY1 --mode 800x600 --pos 0x0 \
            --output DUMMY0 --mode 1024x768 --pos 800x0 --primary &&
        # Seen here: Wine reads the arrangement only after a full query of the screen
        # resources has followed the change; without it, it reports one monitor.
        xrandr --display ":$1" >/dev/null
}

start_display() {
    DISPLAY_TMP=$(mktemp -d /tmp/tessalin-display.XXXXXX)
    local n
    n=$(free_display_number)
    if start_dummy_xorg "$n"; then
        export TESSALIN_MONITORS=2
    else
        echo "note: the dummy-driver X server did not start (see $DISPLAY_TMP/xorg.log);" \
            "falling back to Xvfb with one monitor: two-monitor cases are skipped" >&2
        [[ -n "$X_PID" ]] && kill "$X_PID" 2>/dev/null && wait "$X_PID" 2>/dev/null
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$DISPLAY_TMP/xvfb.out" 2>&1 &
        X_PID=$!
        wait_for_x ":$n" || { echo "no X server could be started" >&2; return 1; }
        export TESSALIN_MONITORS=1
    fi
    export DISPLAY=":$n"
    export WINEPREFIX="$DISPLAY_TMP/prefix"
    export WINEDEBUG=-all
    # No Mono or Gecko installers: nothing here needs them, and they would ask questions.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    TESSALIN_WINE=$(find_wine)
    export TESSALIN_WINE
    local wine_dir
    wine_dir=$(dirname "$TESSALIN_WINE")
    mkdir -p "$WINEPREFIX"
    "$wine_dir/wineserver" -f -p >/dev/null 2>&1 &
    WINESERVER_PID=$!
    "$TESSALIN_WINE" wineboot -i >"$DISPLAY_TMP/wineboot.log" 2>&1
    # Seen here: a crashing test program starts Wine's debugger, whose crash dialog then waits
    # for ever. Without the dialog the debugger prints its report and ends the program.
    "$TESSALIN_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
        /d 0 /f >>"$DISPLAY_TMP/wineboot.log" 2>&1
    wait_for_monitors "${1:-}"
}

# Wine's desktop process publishes the monitors a moment after the prefix is made; a
# program started before that sees only one. Waits (at most 20 s) until the probe program,
# when given, reports every monitor of the display.
wait_for_monitors() {
    local probe=$1 i count
    [[ -n "$probe" && -f "$probe" ]] || return 0
    for i in $(seq 1 100); do
        count=$("$TESSALIN_WINE" "$probe" 2>/dev/null | tr -d '\r') || count=0
        [[ "$count" == "$TESSALIN_MONITORS" ]] && return 0
        sleep 0.2
    done
    echo "note: Wine still reports $count monitor(s) instead of $TESSALIN_MONITORS" >&2
}

stop_display() {
    if [[ -n "$WINESERVER_PID" ]]; then
        # First end the prefix's own processes (services, explorer), which would otherwise
        # outlive their server, then the server itself.
        "$(dirname "$TESSALIN_WINE")/wineserver" -k 2>/dev/null || true
        # Seen here: a winedevice.exe now and then outlives that; end whatever still runs in
        # this prefix, found by the prefix in its environment.
        local environ pid
        for environ in /proc/[0-9]*/environ; do
            pid=${environ#/proc/}
            pid=${pid%/environ}
            [[ $pid == "$$" || $pid == "$WINESERVER_PID" ]] && continue
            if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
                kill -9 "$pid" 2>/dev/null || true
            fi
        done
        kill "$WINESERVER_PID" 2>/dev/null || true
        wait "$WINESERVER_PID" 2>/dev/null || true
        WINESERVER_PID=""
    fi
    if [[ -n "$X_PID" ]]; then
        kill "$X_PID" 2>/dev/null || true
        wait "$X_PID" 2>/dev/null || true
        X_PID=""
    fi
    [[ -n "$DISPLAY_TMP" ]] && rm -rf "$DISPLAY_TMP"
    DISPLAY_TMP=""
}
