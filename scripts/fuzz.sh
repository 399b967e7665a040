#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 25; the text importer, quick to cover, FUZZ_IMPORT_SECONDS, default 20)
# from its seed corpus. A crash, a leak or a sanitizer report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${FUZZ_BUILD_DIR:-build-fuzz}
SECONDS_EACH=${FUZZ_SECONDS:-25}
WORK=tests/fuzz/corpus-work

CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDRAVO_FUZZ=ON >/dev/null
targets=()
for source in tests/fuzz/*.cpp; do
  targets+=("fuzz_$(basename "$source" .cpp)")
done
cmake --build "$BUILD_DIR" --target "${targets[@]}" -j "$(nproc)"

for target in "${targets[@]}"; do
  name=${target#fuzz_}
  mkdir -p "$WORK/$name" "$WORK/artifacts"
  seeds=tests/fuzz/corpus/$name
  seconds=$SECONDS_EACH
  if [ "$name" = import ]; then seconds=${FUZZ_IMPORT_SECONDS:-20}; fi
  echo "== $target for ${seconds}s"
  # New inputs go to the work folder (not tracked); the seeds stay as they are.
  "$BUILD_DIR/tests/fuzz/$target" -max_total_time="$seconds" -max_len=65536 \
    -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$WORK/artifacts/$name-" "$WORK/$name" ${seeds:+$([ -d "$seeds" ] && echo "$seeds")}
done
