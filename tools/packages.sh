# Debian packages the scripts need, installed only when missing.
# Sourced by demo.sh and test.sh.

demoPackages=(cmake make g++ pkg-config libglew-dev freeglut3-dev libglu1-mesa-dev
              libgl1-mesa-dev libgl1-mesa-dri libpng-dev)
testPackages=("${demoPackages[@]}" libgtest-dev libx11-dev libxtst-dev xvfb xauth
              clang libclang-rt-14-dev)

isInstalled() {
    # A removed package can leave its configuration behind and still be known to dpkg.
    dpkg -s "$1" 2>/dev/null | grep -q '^Status: install ok installed'
}

ensurePackages() {
    local missing=() package
    for package in "$@"; do
        isInstalled "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "These Debian packages are missing and installing them needs root: ${missing[*]}" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
            "${missing[@]}"
}
