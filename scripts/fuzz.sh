#!/usr/bin/env bash
# Fuzzes the settings' words with libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer):
# single values of each kind and whole INI files through the simulated host's reader, their texts
# under [Texts] drawn in pieces.
#   scripts/fuzz.sh [SECONDS]   builds build/fuzz/settings_fuzz and runs it that long (60 by default)
# New inputs it finds go to build/fuzz/corpus, beside the seeds of fuzz/corpus; a failing input is
# written to build/fuzz/ as crash-* and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }
out=build/fuzz
mkdir -p "$out/corpus"
inih_flags=$(pkg-config --cflags --libs inih)
# shellcheck disable=SC2086
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I. -Isrc fuzz/settings_fuzz.cpp src/input/settings.cpp src/hud/texts.cpp src/hud/status.cpp \
  src/hud/settings_texts.cpp src/state.cpp src/host/natives.cpp sim/world.cpp sim/natives.cpp sim/host.cpp \
  sim/profile.cpp sim/exports.cpp sim/win32_posix.cpp sim/fibre_posix.cpp sim/module_posix.cpp sim/ini_posix.cpp \
  $inih_flags -ldl -o "$out/settings_fuzz"
cd "$out"
./settings_fuzz -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=./ corpus ../../fuzz/corpus
