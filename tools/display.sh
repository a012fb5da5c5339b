# Sourced by the scripts that start Windows programs: gives them an X display,
# a private Xvfb when the caller has none. Xvfb runs no window manager.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local num=${TARNIVO_XVFB_DISPLAY:-87}
    export DISPLAY=":$num"
    if ! xdpyinfo >/dev/null 2>&1; then
        (Xvfb ":$num" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &)
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && break
            sleep 0.1
        done
    fi
}
