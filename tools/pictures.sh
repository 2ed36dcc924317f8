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
source tools/xvfb.sh

ensurePackages "${demoPackages[@]}" xvfb xdotool imagemagick
cmake -S . -B build-pictures -DSHADERS_TESTS=OFF >/dev/null
cmake --build build-pictures -j2 --target shaders

programPid=""
cleanUp() {
    if [ -n "$programPid" ]; then
        kill "$programPid" 2>/dev/null || true
        wait "$programPid" 2>/dev/null || true
    fi
    stopXvfb
}
trap cleanUp EXIT
startXvfb

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
