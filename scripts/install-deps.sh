#!/usr/bin/env bash
# Installs, with apt-get, whatever the builds need and this machine lacks.
# Debian 12; run as root (or with sudo available).
set -euo pipefail

packages=(
    cmake ninja-build g++ g++-multilib
    g++-mingw-w64-i686 binutils-mingw-w64-i686
    nasm qemu-user-static
    clang libclang-rt-14-dev clang-format
    googletest
    libinih-dev valgrind
    python3  # scripts/test-all.sh reads ctest's JUnit files with it
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root to install ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
