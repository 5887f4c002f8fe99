#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing; with everything there it
# needs neither root nor the network.
#   scripts/deps.sh linux    the Linux build: compiler, CMake, inih, GoogleTest, Google Benchmark, git,
#                            and cairo and a font for the demo's map
#   scripts/deps.sh all      also mingw-w64 (win32 threads), Wine, icoutils, the static analysers, clang
#                            with libFuzzer's runtime, and zip
# As root it runs apt-get itself, otherwise through sudo; with neither it prints the command to run
# and fails.
set -euo pipefail

packages=(git g++ make cmake pkg-config libinih-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev fonts-dejavu-core)
case "${1:-all}" in
  linux) ;;
  all) packages+=(g++-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64 wine64 icoutils cppcheck clang-format
    clang libclang-rt-14-dev zip unzip) ;;
  *) echo "usage: scripts/deps.sh [linux|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0

echo "deps: installing ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null; then
  # With a terminal sudo may ask for the password; without one it must not wait for it.
  if [ -t 0 ] && sudo -v; then
    as_root=(sudo)
  elif sudo -n true 2>/dev/null </dev/null; then
    as_root=(sudo -n)
  fi
fi
if [ "$(id -u)" -ne 0 ] && [ "${#as_root[@]}" -eq 0 ]; then
  echo "deps: installing needs root, and sudo is missing or refused. As root, run:" >&2
  echo "  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}" >&2
  exit 1
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update </dev/null
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}" </dev/null
echo "deps: installed ${missing[*]}"
