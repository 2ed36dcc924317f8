# A private Xvfb for the scripts: startXvfb exports DISPLAY, stopXvfb ends the
# server by its pid. Sourced by test.sh, bench.sh and pictures.sh.

xvfbPid=""
xvfbDisplayFile=""

startXvfb() {
    # Xvfb picks a free display itself and writes its number to the file.
    xvfbDisplayFile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$xvfbDisplayFile" 2>/dev/null &
    xvfbPid=$!
    local tries
    for tries in $(seq 100); do
        [ -s "$xvfbDisplayFile" ] && break
        kill -0 "$xvfbPid" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$xvfbDisplayFile" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$xvfbDisplayFile")"
    export LIBGL_ALWAYS_SOFTWARE=1
    echo "Xvfb on $DISPLAY (pid $xvfbPid)"
}

stopXvfb() {
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
        xvfbPid=""
    fi
    if [ -n "$xvfbDisplayFile" ]; then
        rm -f "$xvfbDisplayFile"
    fi
}
