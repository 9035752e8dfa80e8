#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tobrel need.
# Idempotent: asks apt only when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev          # libFuzzer runtime for the fuzz targets
  libgtest-dev libbenchmark-dev
  libre2-dev                        # the regex benchmark's reference only
  qt6-base-dev libgl-dev            # desktop program and result view
  fonts-ipafont-gothic              # fixed-pitch Japanese font
  xvfb xauth                        # a display for screenshots of the window
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install the packages above) first." >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi
