#!/usr/bin/env bash
# Builds Quaywise and starts it on the demo data.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUAYWISE_BUILD:-$here/build}
"$here/scripts/setup.sh" "$build"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found: run it under a virtual display instead: xvfb-run -a scripts/run.sh"
  exit 1
fi
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
cd "$build/program"
exec ./quaywise "$@"
