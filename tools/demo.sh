#!/usr/bin/env bash
# Runs the demo: installs what it lacks, builds, opens the window.
#   bash tools/demo.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh

ensurePackages "${demoPackages[@]}"
cmake -S . -B build
cmake --build build -j2 --target shaders

if [ -z "${DISPLAY:-}" ]; then
    echo "There is no display to open the window on (DISPLAY is not set): run this from a terminal on your desktop or over 'ssh -X', or see the program anyway with 'bash tools/pictures.sh', which renders every mode into docs/*.png under a virtual display." >&2
    exit 1
fi
# The program reads shaders/ and textures/ relative to where it runs.
exec ./build/shaders "$@"
