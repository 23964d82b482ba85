#!/usr/bin/env bash
# Builds Clipvane and takes screenshots of its windows under a virtual X server (Xvfb):
# the main window with each tab and its File menu, the event dialog, the Edit File dialog, the
# output folder dialog, the about box, the Clip Values window, the contents of a merged clip, a
# message box, a failed row's tooltip and the batch log.
# Usage: scripts/screenshots.sh [FOLDER] (default: build/screenshots).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/prepare.sh"
folder=${1:-$root/build/screenshots}
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$root/build/screenshots" "$folder"
