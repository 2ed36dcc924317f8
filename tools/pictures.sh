#!/usr/bin/env bash
# Renders every shading mode with the real program's own --screenshot, one run
# per picture under an Xvfb of its own, and writes docs/mode0.png ...
# docs/mode5.png and docs/wireframe.png at the window's default 800x600.
# Also the way to see the program on a machine without a display.
#   bash tools/pictures.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh
source tools/xvfb.sh

ensurePackages "${demoPackages[@]}" xvfb
cmake -S . -B build-pictures -DSHADERS_TESTS=OFF >/dev/null
cmake --build build-pictures -j2 --target shaders

console="$(mktemp)"
cleanUp() {
    stopXvfb
    rm -f "$console"
}
trap cleanUp EXIT
startXvfb

mkdir -p docs
# Three frames: the frame-rate line is still empty, as in the first second.
picture() {
    local name="$1"
    shift
    if ! ./build-pictures/shaders "$@" --frames 3 --screenshot "docs/$name.png" >"$console" 2>&1; then
        echo "The program did not write docs/$name.png; its console said:" >&2
        cat "$console" >&2
        exit 1
    fi
    echo "wrote docs/$name.png"
}
for mode in 0 1 2 3 4 5; do
    picture "mode$mode" --mode "$mode"
done
picture wireframe --mode 0 --wireframe

echo
echo "The program's console during the last run:"
cat "$console"
