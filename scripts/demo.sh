#!/usr/bin/env bash
# Builds the Linux preset and runs the simulated arrest demo. Extra arguments go to the demo (try
# --help), which runs where this script was started: a relative --map name is written there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
demo="$root/build/linux/demo/demo"
(
  cd "$root"
  scripts/deps.sh linux
  [ -x "$demo" ] || echo "demo: building the demo first, about 20 s on a small machine ..." >&2
  cmake --preset linux >/dev/null
  cmake --build --preset linux --target demo Brindlecot >/dev/null
)
# The demo calls itself by the name the user typed.
exec -a "$0" "$demo" "$@"
