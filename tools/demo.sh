#!/usr/bin/env bash
# Runs the demo: installs what it lacks, builds, opens the window.
#   bash tools/demo.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh

ensurePackages "${demoPackages[@]}"
cmake -S . -B build
cmake --build build -j2

if [ -z "${DISPLAY:-}" ]; then
    echo "The demo needs a graphical display and DISPLAY is not set: run 'bash tools/demo.sh' from a terminal on your desktop, or connect with 'ssh -X' so the window opens on your own screen." >&2
    exit 1
fi
# The program reads shaders/ and textures/ relative to where it runs.
exec ./build/shaders "$@"
