# Sourced by the scripts that need a screen without a display: Xvfb on a free display number.
#   start_virtual_screen LOG   starts it, exports DISPLAY; returns non-zero, with a message, on failure
#   stop_virtual_screen        stops it (safe to call when none runs)

virtual_screen_pid=""

start_virtual_screen() {
    local log=$1 display="" n
    for n in $(seq 90 199); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            display=":$n"
            break
        fi
    done
    if [ -z "$display" ]; then
        echo "no free X display number between 90 and 199" >&2
        return 1
    fi
    # -noreset: otherwise the server resets when its last client leaves and the next cannot connect.
    Xvfb "$display" -screen 0 1280x1024x24 -noreset >"$log" 2>&1 &
    virtual_screen_pid=$!
    for _ in $(seq 100); do
        if xdpyinfo -display "$display" >/dev/null 2>&1; then
            export DISPLAY=$display
            return 0
        fi
        kill -0 "$virtual_screen_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb on $display did not start: $(cat "$log")" >&2
    return 1
}

stop_virtual_screen() {
    if [ -n "$virtual_screen_pid" ]; then
        kill "$virtual_screen_pid" 2>/dev/null || true
        wait "$virtual_screen_pid" 2>/dev/null || true
        virtual_screen_pid=""
    fi
}
