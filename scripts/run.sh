#!/usr/bin/env bash
# Sets up, builds and starts the program. The program and its database files live in a folder of their own
# (KNJIGOVODSTVO_HOME, by default ~/Knjigovodstvo) that rebuilding or cleaning the build tree does not touch.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target knjigovodstvo
home="${KNJIGOVODSTVO_HOME:-$HOME/Knjigovodstvo}"
mkdir -p "$home"
cmake --install build --prefix "$home" > /dev/null
exec "$home/knjigovodstvo"
