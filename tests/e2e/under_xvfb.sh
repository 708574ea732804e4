#!/usr/bin/env bash
# Runs a Qt program on a private X server, as on a real display.
#   under_xvfb.sh COMMAND...
set -euo pipefail
source "$(dirname "$0")/desktop.sh"
start_x_server
QT_QPA_PLATFORM=xcb "$@"
