#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tobrel need.
# Every package relied on is named here, and nothing else is installed
# (--no-install-recommends), so a machine set up by this script is the same
# as any other. Idempotent: asks apt only when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang                             # the compiler of the fuzz targets
  libgtest-dev libbenchmark-dev
  libre2-dev                        # the regex benchmark's reference only
  qt6-base-dev libgl-dev            # desktop program and result view
  libqt6opengl6-dev                 # part of Qt's CMake package set
  qt6-charts-dev                    # the charts of a report in the window
  qt6-svg-dev                       # saving a chart as SVG
  qt6-qpa-plugins                   # Qt's platforms: offscreen (tests, manual pictures), xcb
  qt6-translations-l10n             # Qt's own texts (dialogs, buttons, menus) in Japanese
  fontconfig fonts-ipafont-gothic   # the fixed-pitch Japanese font and its lookup
  desktop-file-utils                # checks the installed desktop entry
  libxml2-utils python3-html5lib    # parse the charts' SVG as XML and the HTML page strictly
  chromium                          # renders the HTML page in a browser (charts_render_in_browser)
)

missing_of() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      echo "$package"
  done
}

install() {
  (($#)) || return 0
  echo "Installing: $*"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or install the packages above) first." >&2
    exit 1
  fi
  if [ -z "${apt_updated:-}" ]; then
    apt-get update -qq
    apt_updated=1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

mapfile -t missing < <(missing_of "${packages[@]}")
install "${missing[@]}"

# The libFuzzer runtime comes with the installed clang's own version.
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9]*\)\..*/\1/p' | head -n 1)
if [ -z "$clang_major" ]; then
  echo "Cannot tell the version of clang." >&2
  exit 1
fi
mapfile -t missing < <(missing_of "libclang-rt-${clang_major}-dev")
install "${missing[@]}"
