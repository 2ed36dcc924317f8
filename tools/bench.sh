#!/usr/bin/env bash
# Builds and runs the benchmark under an Xvfb of its own and prints its
# report: the program's frame rate against a bare loop in every mode, the
# overlay's cost, start-up stage by stage, and heap allocations per frame.
#   bash tools/bench.sh [--frames N] [--warmup N] [--rounds N] [--alloc-seconds S]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh

ensurePackages "${demoPackages[@]}" xvfb
cmake -S . -B build-bench -DSHADERS_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target shadersBench >/dev/null

xvfbPid=""
cleanUp() {
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

echo "machine: $(nproc) cores; uptime before: $(uptime)"
# Run from the project root: the program reads shaders/ and textures/ there.
./build-bench/shadersBench "$@"
echo "uptime after: $(uptime)"
