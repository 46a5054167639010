#!/usr/bin/env bash
# Builds the fuzz targets of tools/fuzz with clang and the address and
# undefined-behaviour sanitizers (in build-fuzz/), replays the saved inputs of
# tools/fuzz/regressions, then fuzzes each target for a while, QUAYWISE_JOBS
# targets at a time. Fails when a target finds a failing input; the input and
# the target's log are left in build-fuzz/fuzz-artifacts.
# Usage: scripts/fuzz.sh [seconds per target (default 30; 0 replays only)] [target ...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUAYWISE_FUZZ_BUILD:-$here/build-fuzz}
seconds=${1:-30}
shift || true

for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    echo "Missing package $p: apt-get install -y clang libclang-rt-14-dev"
    exit 1
  fi
done

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DQUAYWISE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DQUAYWISE_BENCH=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in "$here"/tools/fuzz/*_fuzz.cpp; do
    n=$(basename "$f" .cpp)
    targets+=("${n%_fuzz}")
  done
fi
cmake --build "$build" -j "${QUAYWISE_JOBS:-$(nproc)}" \
      --target quaywise_demo_data $(printf 'fuzz_%s ' "${targets[@]}")

export QT_QPA_PLATFORM=offscreen
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts"
run() {
  local t=$1 saved="$here/tools/fuzz/regressions/$1" corpus="$build/fuzz-corpus/$1" log="$artifacts/$1.log"
  mkdir -p "$saved" "$corpus"
  "$build/tools/fuzz/fuzz_$t" -runs=0 "$saved" >"$log" 2>&1 || return 1
  [ "$seconds" -gt 0 ] || return 0
  "$build/tools/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$artifacts/$t-" "$corpus" "$saved" >>"$log" 2>&1
}
parallel=${QUAYWISE_JOBS:-$(nproc)}
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  echo "== $t: saved inputs, then ${seconds}s of fuzzing"
  (if run "$t"; then echo 0; else echo 1; fi >"$artifacts/$t.rc") &
done
wait
failed=0
for t in "${targets[@]}"; do
  if [ "$(cat "$artifacts/$t.rc")" = 0 ]; then
    grep -E "^stat::(number_of_executed_units|average_exec_per_sec)" "$artifacts/$t.log" | sed "s/^/$t /" || true
  else
    tail -n 30 "$artifacts/$t.log"
    echo "fuzz_$t failed: see $artifacts"
    failed=1
  fi
done
exit $failed
