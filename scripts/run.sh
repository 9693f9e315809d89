#!/usr/bin/env bash
# Installs what is missing, builds Kovra, opens the program, and then
# solves one of the example problems with the command-line solver.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  ./build/kovra
else
  echo "No display here: playing the demo script without a window instead."
  ./build/kovra --script examples/demo.script
fi

./build/kovra-solve --time examples/corner-bent-three.txt
