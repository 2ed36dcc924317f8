#!/usr/bin/env bash
# Renders every shading mode with the real program under an Xvfb of its own,
# stepping through the modes with real key presses, and writes
# docs/mode0.png ... docs/mode5.png and docs/wireframe.png.
# Also the way to see the program on a machine without a display.
#   bash tools/pictures.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh

ensurePackages "${demoPackages[@]}" xvfb xdotool imagemagick
cmake -S . -B build-pictures -DSHADERS_TESTS=OFF >/dev/null
cmake --build build-pictures -j2 --target shaders

xvfbPid=""
programPid=""
cleanUp() {
    if [ -n "$programPid" ]; then
        kill "$programPid" 2>/dev/null || true
        wait "$programPid" 2>/dev/null || true
    fi
    if [ -n "$xvfbPid" ]; then
        kill "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
    fi
    rm -f "${displayFile:-}"
}
trap cleanUp EXIT

# Xvfb picks a free display itself and writes its number to the file.
displayFile="$(mktemp)"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayFile" 2>/dev/null &
xvfbPid=$!
for _ in $(seq 100); do
    [ -s "$displayFile" ] && break
    sleep 0.1
done
[ -s "$displayFile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayFile")"
export LIBGL_ALWAYS_SOFTWARE=1

console="$(mktemp)"
./build-pictures/shaders >"$console" 2>&1 &
programPid=$!

window=""
for _ in $(seq 100); do
    window="$(xdotool search --name '^Shaders$' 2>/dev/null | head -n1 || true)"
    [ -n "$window" ] && break
    kill -0 "$programPid" 2>/dev/null || break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "The program's window did not appear; its console said:" >&2
    cat "$console" >&2
    exit 1
fi

# The frame-rate line first appears a second after start-up.
sleep 2
mkdir -p docs
capture() {
    import -window "$window" -define png:exclude-chunk=date,time "docs/$1.png"
    echo "wrote docs/$1.png"
}
for mode in 0 1 2 3 4 5; do
    capture "mode$mode"
    xdotool key --window "$window" s
    sleep 1
done
# Six presses have brought it back to mode 0; A switches to wireframe.
xdotool key --window "$window" a
sleep 1
capture wireframe

echo
echo "The program's console during this run:"
cat "$console"
echo
rm -f "$console"
