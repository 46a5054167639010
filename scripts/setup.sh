#!/usr/bin/env bash
# Shared set-up of the README's two commands: install what is missing, configure, build.
# Usage: scripts/setup.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}

packages=(cmake g++ make qt6-base-dev qt6-webengine-dev qt6-pdf-dev libqt6sql6-sqlite libgl-dev
          libxcb1-dev libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev sqlite3 poppler-utils fonts-liberation
          fonts-linuxlibertine pkg-config libqpdf-dev clang libclang-rt-14-dev
          cups cups-client cups-filters libcups2-dev python3 python3-numpy python3-scipy python3-pil)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Run this once, then try again:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
jobs=${QUAYWISE_JOBS:-$(nproc)}
cmake --build "$build" -j "$jobs"
