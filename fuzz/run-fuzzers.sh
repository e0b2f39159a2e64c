#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and undefined-behaviour
# sanitizers, then runs each for a fixed time on a working copy of its seed corpus.
#   bash fuzz/run-fuzzers.sh [seconds per target (60)] [target ...]
# Targets: parse, roundtrip, report, merge (all when none is named). BUILD_DIR sets the build
# folder (default: build-fuzz beside the sources). A crash leaves its input in
# BUILD_DIR/crashes/<target>/; once fixed, copy it to fuzz/crashes/<target>/ so the
# regression test keeps it. Exits non-zero when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(parse roundtrip report merge)
build=${BUILD_DIR:-$(dirname "$PWD")/build-fuzz}
cxx=${CXX_FUZZ:-clang++-14}
# Fuzzing stays out of CI, so its compiler is not in tools/debian-packages.txt.
if ! command -v "$cxx" >/dev/null || ! dpkg-query -W libfuzzer-14-dev >/dev/null 2>&1; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends clang-14 libfuzzer-14-dev
fi
sanitizers=address,undefined
# Sized deallocation is on by default with g++, which the core is written for.
flags=(-std=c++20 -fsized-deallocation -g -O1 -fno-omit-frame-pointer -fno-sanitize-recover=undefined -Isrc -Ifuzz)

declare -A checks=([parse]=CheckParse [roundtrip]=CheckRoundTrip [report]=CheckReportText [merge]=CheckMerge)

# The core is compiled once with coverage hooks; each target links its own entry point.
mkdir -p "$build/obj"
objects=()
for source in src/inidb/*.cpp src/reports/CompatText.cpp fuzz/FuzzChecks.cpp fuzz/ReportCheck.cpp fuzz/MergeCheck.cpp; do
  object="$build/obj/$(echo "$source" | tr / _).o"
  if [ ! -e "$object" ] || [ "$source" -nt "$object" ] || [ -n "$(find src/inidb fuzz -name '*.h' -newer "$object")" ]; then
    "$cxx" "${flags[@]}" -fsanitize=fuzzer-no-link,$sanitizers -c "$source" -o "$object"
  fi
  objects+=("$object")
done

failed=0
for target in "${targets[@]}"; do
  check=${checks[$target]:?unknown target $target}
  binary="$build/fuzz_$target"
  "$cxx" "${flags[@]}" -fsanitize=fuzzer,$sanitizers -DTAMSIC_FUZZ_CHECK="$check" \
    fuzz/FuzzTarget.cpp "${objects[@]}" -o "$binary"

  # New inputs go to a working corpus outside the tree; the seeds stay as committed.
  corpus="$build/corpus/$target"
  crashes="$build/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  cp -n fuzz/corpus/"$target"/* "$corpus"/
  dictionary=()
  [ "$target" = report ] || dictionary=(-dict=fuzz/ini.dict)

  log="$build/fuzz_$target.log"
  status=0
  "$binary" "$corpus" "${dictionary[@]}" -max_total_time="$seconds" -max_len=160000 -timeout=10 \
    -artifact_prefix="$crashes/" -print_final_stats=1 >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  echo "fuzz_$target: ${runs:-?} executions in ${took:-?} s, exit $status, corpus $(ls "$corpus" | wc -l) files, log $log"
  if [ "$status" -ne 0 ]; then
    failed=1
    grep -m5 -E 'ERROR|property broken|runtime error' "$log" || true
  fi
done
exit "$failed"
