#!/usr/bin/env bash
# Runs every test: installs what the tests need, builds, runs the whole suite
# (the display tests under an Xvfb of their own), then again under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the BMP fuzzer.
#   bash tools/test.sh
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
source tools/packages.sh
source tools/xvfb.sh

started=$SECONDS
results=()
failures=0

step() {
    local name="$1" start=$SECONDS
    shift
    echo
    echo "==> $name"
    if "$@"; then
        results+=("ok      $name ($((SECONDS - start)) s)")
    else
        results+=("FAILED  $name ($((SECONDS - start)) s)")
        failures=$((failures + 1))
    fi
}

summary() {
    echo
    echo "==> Summary ($((SECONDS - started)) s)"
    printf '  %s\n' "${results[@]}"
    if [ "$failures" -eq 0 ]; then
        echo "All test steps passed."
    else
        echo "$failures test step(s) failed."
    fi
}

trap stopXvfb EXIT

buildTree() {
    local dir="$1"
    shift
    cmake -S . -B "$dir" "$@" && cmake --build "$dir" -j2
}

sanitizedTests() {
    # Mesa's own allocations look like leaks to LeakSanitizer: leak checks only
    # where no GL context is opened.
    local status=0
    ASAN_OPTIONS=detect_leaks=1 ctest --test-dir build-asan --output-on-failure --no-tests=error -j2 -L unit || status=1
    ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan --output-on-failure --no-tests=error -j2 -LE unit || status=1
    return $status
}

fuzzBmp() {
    # New inputs go to a scratch corpus, so the committed one stays as it is.
    local scratch
    scratch="$(mktemp -d)"
    build-fuzz/tests/fuzz/bmpFuzz -max_total_time=30 -artifact_prefix=build-fuzz/ "$scratch" tests/fuzz/corpus
    local status=$?
    rm -rf "$scratch"
    return $status
}

if ! ensurePackages "${testPackages[@]}"; then
    echo "Could not install the packages the tests need." >&2
    exit 1
fi
if ! startXvfb; then
    exit 1
fi

step "build (build/)" buildTree build
step "tests (build/)" ctest --test-dir build --output-on-failure --no-tests=error -j2
step "build with ASan + UBSan (build-asan/)" buildTree build-asan -DSHADERS_SANITIZE=ON
step "tests with ASan + UBSan (build-asan/)" sanitizedTests

# --- BMP decoder fuzzer (clang + libFuzzer) ---
if [ -d tests/fuzz ]; then
    step "build fuzzer (build-fuzz/)" buildTree build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DSHADERS_FUZZ=ON -DSHADERS_TESTS=OFF
    step "fuzz the BMP decoder for 30 s" fuzzBmp
fi

summary
[ "$failures" -eq 0 ]
