#!/bin/sh
# Installs the Debian packages the build, the content tools and the tests
# need, skipping what is already there. Needs root (or sudo).
set -e
PACKAGES="build-essential cmake pkg-config ninja-build
libsdl2-dev libsdl2-mixer-dev libpng-dev libjpeg-dev libfreetype-dev
libogg-dev libvorbis-dev libgl-dev libgl1-mesa-dri libcairo2-dev
libgtest-dev libgmock-dev libbenchmark-dev
fonts-dejavu-core fonts-urw-base35
xvfb xauth xdotool python3"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
if [ "$(id -u)" != "0" ]; then
  if command -v sudo >/dev/null 2>&1; then SUDO=sudo; else
    echo "Missing packages:$missing -- run this script as root to install them." >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
