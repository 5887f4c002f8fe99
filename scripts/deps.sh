#!/usr/bin/env bash
# Installs the Debian packages a build needs, only when one is missing.
#   scripts/deps.sh linux    the Linux build: compiler, CMake, inih, GoogleTest, Google Benchmark, and
#                            cairo, libxml2 and a font for the demo's map
#   scripts/deps.sh all      also mingw-w64, Wine, the static analysers and zip
set -euo pipefail

packages=(g++ make cmake pkg-config libinih-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libxml2-dev fonts-dejavu-core)
if [ "${1:-all}" = all ]; then
  packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 cppcheck clang-format zip unzip)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
