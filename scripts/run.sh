#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the sample contract open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
if [ -x "$BUILD_DIR/src/app/dravo" ]; then
  if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
  sample=$(ls "$BUILD_DIR"/resources/Templates/*.adf 2>/dev/null | head -n 1 || true)
  exec "$BUILD_DIR/src/app/dravo" ${sample:+"$sample"}
fi
# Without the window program, show the sample contract through the command-line tool.
sample=$(ls "$BUILD_DIR"/resources/Templates/*.adf | head -n 1)
exec "$BUILD_DIR/src/cli/dravo-cli" render "$sample" --utf8
