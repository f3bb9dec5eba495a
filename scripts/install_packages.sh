# Sourced by run.sh and test.sh: installs the Debian packages given as
# arguments that are not installed yet (apt-get, sudo only when not root).
# Progress goes to stderr so that run.sh keeps stdout for results.
install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" >&2
}

# What building the core, the window and the tests needs; libqt6svg6 draws
# the window's SVG icon, libfftw3-dev is the transform of long products.
build_packages=(cmake ninja-build g++ libgmp-dev libmpfr-dev libfftw3-dev libgtest-dev libbenchmark-dev qt6-base-dev libqt6svg6)

# What the install check and the Debian package need: the validators of the
# desktop entry (desktop-file-utils) and of the AppStream file (appstream),
# and what cpack -G DEB runs (dpkg-dev for dpkg-shlibdeps, file).
packaging_packages=(desktop-file-utils appstream dpkg-dev file)

# What tools/fuzz.sh needs beyond the build: clang, and libFuzzer with the
# sanitizer runtimes (libclang-rt-14-dev). Not needed by test.sh.
fuzz_packages=(clang libclang-rt-14-dev)
