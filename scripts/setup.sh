#!/usr/bin/env bash
# Installs the system packages Tokiwa needs to build, test and run (Debian 12).
# Only missing packages are installed; a machine that has them all is left alone.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgtest-dev   # SVG pictures; PDF is Qt's own
  zlib1g-dev                                      # compresses the rendered charts (PNG)
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
  librsvg2-bin                                    # renders the icon's PNG sizes
  desktop-file-utils appstream man-db groff-base  # validate the installed data files
  dpkg-dev file                                   # the Debian package's library dependencies
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
