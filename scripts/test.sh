#!/usr/bin/env bash
# Builds Quaywise and runs the whole test suite headless.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUAYWISE_BUILD:-$here/build}
"$here/scripts/setup.sh" "$build"
export QT_QPA_PLATFORM=offscreen
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
cd "$build"
ctest --output-on-failure -j "${QUAYWISE_JOBS:-$(nproc)}" "$@"
# Unless tests were picked by name: a short run of the fuzz targets under the
# address and UB sanitizers (QUAYWISE_FUZZ_SECONDS per target; 0 only replays
# the saved inputs).
if [ $# -eq 0 ]; then
  "$here/scripts/fuzz.sh" "${QUAYWISE_FUZZ_SECONDS:-20}"
fi
