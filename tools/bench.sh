#!/usr/bin/env bash
# Builds and runs the benchmark under an Xvfb of its own and prints its
# report: the program's frame rate against a bare loop in every mode, the
# overlay's cost, start-up stage by stage, and heap allocations per frame.
#   bash tools/bench.sh [--frames N] [--warmup N] [--rounds N] [--alloc-seconds S]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh
source tools/xvfb.sh

ensurePackages "${demoPackages[@]}" xvfb
cmake -S . -B build-bench -DSHADERS_TESTS=OFF >/dev/null
cmake --build build-bench -j2 --target shadersBench >/dev/null

trap stopXvfb EXIT
startXvfb

echo "machine: $(nproc) cores; uptime before: $(uptime)"
# Run from the project root: the program reads shaders/ and textures/ there.
./build-bench/shadersBench "$@"
echo "uptime after: $(uptime)"
