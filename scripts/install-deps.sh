#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing (apt-get, as root or through sudo).
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 xvfb xdotool
          imagemagick googletest python3 python3-pil x11-utils fonts-liberation fonts-wqy-microhei util-linux
          clang clang-format)

install_missing() {
    local pkg missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" = 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

install_missing "${packages[@]}"

# The sanitizer and fuzzer runtimes are packaged per clang version: take the
# one of the clang++ the native tests build with (before version 14 they came
# with the compiler's common files).
clang_major="$(clang++ -dumpversion | cut -d. -f1)"
if [ "$clang_major" -ge 14 ]; then
    install_missing "libclang-rt-$clang_major-dev"
else
    install_missing "libclang-common-$clang_major-dev"
fi
