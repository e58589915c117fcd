#!/usr/bin/env bash
# Builds the viewer and opens it on the bundled sample logs. Without a display it
# runs the same window offscreen and saves a screenshot instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
exe=build/release/app/tokiwa
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  png=$PWD/build/tokiwa-screenshot.png
  "$exe" --screenshot "$png" --select-first samples
  echo "$png"
else
  exec "$exe" --select-first samples
fi
