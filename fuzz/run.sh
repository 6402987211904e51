#!/usr/bin/env bash
# Fuzzes the readers with libFuzzer under ASan/UBSan for TOTAL seconds in all (default 600),
# shared evenly over the targets named (default: every target), one target at a time.
#
#   bash fuzz/run.sh [TOTAL [TARGET...]]
#
# Each target starts from the seeds the project builds, its committed corpus fuzz/corpus/TARGET
# and what earlier runs kept in build-fuzz/corpus/TARGET. An input that crashes, leaks, runs
# past the time limit or allocates past the memory limit is written to fuzz/corpus/TARGET/ as
# found-*, where ctest replays it (fuzz.replay.TARGET) until it is mended; the run goes on with
# the next target and ends with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
total="${1:-600}"
shift || true

# Every target with the longest input it is given: long enough for its seeds' deep paths,
# short enough to keep each input fast.
declare -A max_len=(
    [archive]=65536 [lzss]=16384 [strings]=16384 [scenario]=65536 [sprite]=32768
    [animation]=16384 [wave]=16384 [minimap]=32768 [properties]=32768 [matchup]=32768
    [plugin]=65536 [changes-csv]=4096 [changes-json]=8192
)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(archive lzss strings scenario sprite animation wave minimap properties matchup
             plugin changes-csv changes-json)
fi
for target in "${targets[@]}"; do
    if [ -z "${max_len[$target]:-}" ]; then
        echo "run.sh: no fuzz target \"$target\" (targets: ${!max_len[*]})" >&2
        exit 2
    fi
done
share=$(( total / ${#targets[@]} ))
share=$(( share > 0 ? share : 1 ))

if [ "$(id -u)" -eq 0 ]; then sudo_cmd=(); else sudo_cmd=(sudo); fi
dpkg-query -W clang >/dev/null 2>&1 || "${sudo_cmd[@]}" apt-get install -y --no-install-recommends clang
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}" "${targets[@]/#/fuzz_replay_}"

echo "Fuzzing ${#targets[@]} targets for $share s each."
status=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    build-fuzz/fuzz/fuzz_replay_$target --write-seeds "$corpus"
    mkdir -p "fuzz/corpus/$target"
    log="build-fuzz/fuzz-$target.log"
    # -timeout and the memory limits must never fire on a sound reader: any input that makes
    # them fire is a finding.
    if build-fuzz/fuzz/fuzz_$target "$corpus" "fuzz/corpus/$target" \
        -max_total_time="$share" -max_len="${max_len[$target]}" -timeout=10 \
        -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 \
        -artifact_prefix="fuzz/corpus/$target/found-" >"$log" 2>&1; then
        outcome="nothing found"
    else
        outcome="FOUND: see $log and fuzz/corpus/$target/found-*"
        status=1
    fi
    # The coverage the seeds and corpus reach, what the run reached, and the run's figures.
    seeds=$(grep -m1 -o 'INITED cov: [0-9]* ft: [0-9]*' "$log" | cut -d' ' -f2- || true)
    reached=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    runs=$(grep -o 'number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    rate=$(grep -o 'average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    printf '%-13s seeds %-20s run %-20s %10s inputs %7s/s  %s\n' \
        "$target" "$seeds" "$reached" "$runs" "$rate" "$outcome"
done
exit $status
