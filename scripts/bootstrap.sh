#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks and the art need.
# Idempotent and non-interactive: does nothing when everything is present.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # desktop backends
  libx11-dev libxext-dev libxi-dev libxtst-dev libxrender-dev
  libfreetype-dev libfontconfig-dev libpng-dev zlib1g-dev libudev-dev
  # session bus for the StatusNotifierItem tray icon
  libdbus-1-dev
  # fonts the interface asks for by look-alike
  fonts-dejavu-core fonts-arphic-uming
  # art sources turned into skins at build time
  librsvg2-bin
  # X server, tray host and tools for the desktop tests
  xvfb x11-utils xdotool trayer
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
