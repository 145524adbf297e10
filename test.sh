#!/bin/sh
# Installs what is missing, builds the debug configuration with AddressSanitizer
# and UBSan, and runs every test. Tests that need a window get an Xvfb display
# of their own when none is set.
set -e
cd "$(dirname "$0")"
./tools/install-deps.sh
BUILD=build-test
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWOOFMERE_SANITIZE=ON >/dev/null
cmake --build "$BUILD" -j "$(nproc)"

XVFB_PID=""
if [ -z "$DISPLAY" ]; then
  for n in 91 92 93 94 95 96 97 98 99; do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      break
    fi
  done
  i=0
  while [ $i -lt 50 ] && [ ! -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; do sleep 0.1; i=$((i+1)); done
fi
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true' EXIT

# Mesa's software renderer keeps the window tests independent of any GPU.
export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
