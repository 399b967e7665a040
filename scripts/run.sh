#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the sample contract open.
# Without a display the program runs on a virtual one and leaves a picture of its window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
sample=$(ls "$BUILD_DIR"/resources/Templates/*.adf 2>/dev/null | head -n 1 || true)

if [ -x "$BUILD_DIR/src/app/dravo" ]; then
  # The web engine's sandbox cannot run for the superuser.
  if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
  # Open the user's own copy of the sample (the program copies the samples into the user's data
  # folder on its first start), so that saving it keeps the build tree as it was.
  open=""
  if [ -n "$sample" ]; then
    data_dir="${XDG_DATA_HOME:-$HOME/.local/share}/DRAVO/ДРАВО Договор"
    name=$(basename "$sample")
    if [ ! -d "$data_dir/Data" ] || [ -f "$data_dir/Templates/$name" ]; then
      open="$data_dir/Templates/$name"
    else
      open="$sample"
    fi
  fi
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    shot="$BUILD_DIR/dravo-window.png"
    echo "No display: running on a virtual screen; a picture of the window goes to $shot"
    exec xvfb-run -a -s "-screen 0 1280x900x24" "$BUILD_DIR/src/app/dravo" ${open:+"$open"} --grab "$shot"
  fi
  exec "$BUILD_DIR/src/app/dravo" ${open:+"$open"}
fi
# Without the window program, show the sample contract through the command-line tool.
exec "$BUILD_DIR/src/cli/dravo-cli" render "$sample" --utf8
