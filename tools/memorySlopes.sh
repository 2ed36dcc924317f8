#!/usr/bin/env bash
# Resident-size slope of the program (or the bare loop) under one kind of X
# event at a time, each kind in an Xvfb of its own, side by side.
#   bash tools/memorySlopes.sh SECONDS OUTDIR [PROGRAM] [KIND...]
# Writes OUTDIR/KIND.log (seconds, rss kB, events) and prints, per kind, the
# median of pairwise slopes over the run's second half in kB/min.
# KIND is one of e2eMemoryDriver's (idle resize drag keys by default; also
# resize-keys random random-noresize cross hover wheel otherkeys); PROGRAM may be
# build/shadersBareLoop, the benchmark's bare frame in freeglut's loop.
# Builds nothing: build first (cmake --build build). The environment reaches the
# program, e.g. GLIBC_TUNABLES=glibc.malloc.mmap_threshold=131072; E2E_BATCH
# sets the events sent per 10 ms pause (20 by default).
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:?seconds}"
out="${2:?output directory}"
program="${3:-$root/build/shaders}"
shift $(( $# < 3 ? $# : 3 ))
kinds=("$@")
[ ${#kinds[@]} -gt 0 ] || kinds=(idle resize drag keys)
mkdir -p "$out"
source "$root/tools/xvfb.sh"

runKind() {
    local kind="$1"
    startXvfb >/dev/null || return 1
    "$root/build/tests/e2e/e2eMemoryDriver" "$kind" "$seconds" "$program" >"$out/$kind.log" 2>"$out/$kind.err"
    stopXvfb
}

pids=()
for kind in "${kinds[@]}"; do
    runKind "$kind" &
    pids+=($!)
done
for pid in "${pids[@]}"; do
    wait "$pid"
done

# Theil-Sen over the second half: the median of pairwise slopes, robust to
# the allocator's swings.
secondHalfSlope() {
    awk '!/^#/ { t[n] = $1; r[n] = $2; n++ }
         END { for (i = int(n / 2); i < n; i++)
                   for (j = i + 1; j < n; j++)
                       if (t[j] > t[i]) print (r[j] - r[i]) / (t[j] - t[i]) * 60 }' "$1" |
        sort -g | awk '{ s[n++] = $1 } END { printf "%.1f", n == 0 ? 0 : (n % 2 ? s[(n - 1) / 2] : (s[n / 2 - 1] + s[n / 2]) / 2) }'
}

for kind in "${kinds[@]}"; do
    log="$out/$kind.log"
    first="$(grep -v '^#' "$log" | head -n1)"
    last="$(tail -n1 "$log")"
    printf '%-7s rss %s -> %s kB, %s events, second-half slope %s kB/min\n' "$kind" \
        "$(echo "$first" | awk '{print $2}')" "$(echo "$last" | awk '{print $2}')" \
        "$(echo "$last" | awk '{print $3}')" "$(secondHalfSlope "$log")"
done
