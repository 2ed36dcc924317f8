#!/usr/bin/env bash
# Rewrites the image tests' reference pictures, tests/images/*.png, after an
# intended change to what a mode draws, and says which pictures changed and by
# how many pixels (for the commit message). Renders with the real program
# under an Xvfb of its own, from the project root.
#   bash tools/references.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh
source tools/xvfb.sh

ensurePackages "${testPackages[@]}"
cmake -S . -B build-references >/dev/null
cmake --build build-references -j2 --target shaders imageDiff

scratch="$(mktemp -d)"
cleanUp() {
    stopXvfb
    rm -rf "$scratch"
}
trap cleanUp EXIT
startXvfb

# The same pictures and options as tests/e2e/imageTest.cpp.
names=(mode0 mode1 mode2 mode3 mode4 mode5 wireframe)
options=("--mode 0" "--mode 1" "--mode 2" "--mode 3" "--mode 4" "--mode 5" "--mode 0 --wireframe")
mkdir -p tests/images
changed=0
for i in "${!names[@]}"; do
    name="${names[$i]}"
    fresh="$scratch/$name.png"
    # The frame-rate line stays empty only if the last frame comes within a
    # second of start-up: a run that took longer is done again.
    for try in 1 2 3 4 5; do
        start=$(date +%s%N)
        # shellcheck disable=SC2086  # the options are words
        ./build-references/shaders ${options[$i]} --size 320x240 --frames 3 --screenshot "$fresh" \
            >"$scratch/console" 2>&1 || { cat "$scratch/console" >&2; exit 1; }
        took=$((($(date +%s%N) - start) / 1000000))
        [ "$took" -lt 1000 ] && break
        if [ "$try" -eq 5 ]; then
            echo "$name: every run took a second or more (the last $took ms): is the machine busy?" >&2
            exit 1
        fi
    done
    reference="tests/images/$name.png"
    if [ ! -f "$reference" ]; then
        echo "$name: new"
    elif cmp -s "$fresh" "$reference"; then
        echo "$name: unchanged"
        continue
    else
        echo "$name: $(./build-references/tests/imageDiff "$fresh" "$reference" || true)"
    fi
    cp "$fresh" "$reference"
    changed=$((changed + 1))
done
echo "$changed of ${#names[@]} reference pictures rewritten in tests/images/"
