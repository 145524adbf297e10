#!/bin/sh
# Installs what is missing, builds the game and its content, and starts it.
# Extra arguments go to the game (see ./build/woofmere --help).
set -e
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWOOFMERE_TESTS=OFF -DWOOFMERE_BENCH=OFF >/dev/null
cmake --build build
exec ./build/woofmere "$@"
