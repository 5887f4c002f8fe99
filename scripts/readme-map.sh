#!/usr/bin/env bash
# Rebuilds docs/arrest-map.png, the README's map of the whole-arrest scene, with the demo's --map.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p docs
scripts/demo.sh --scene arrest --map docs/arrest-map.png >/dev/null
echo "docs/arrest-map.png rebuilt"
