#!/usr/bin/env bash
# Builds the Linux preset and runs the simulated arrest demo. Extra arguments go to the demo
# (try --help).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh linux
cmake --preset linux >/dev/null
cmake --build --preset linux --target demo Brindlecot >/dev/null
# The demo calls itself by the name the user typed.
exec -a "$0" build/linux/demo/demo "$@"
