#!/usr/bin/env bash
# Fuzzes the readers with libFuzzer under ASan/UBSan for TOTAL seconds in all (default 600),
# shared evenly over the targets named (default: every target), one target at a time.
#
#   bash fuzz/run.sh [TOTAL [TARGET...]]
#
# Each target starts from the seeds the project builds, its committed corpus fuzz/corpus/TARGET
# and what earlier runs kept in build-fuzz/corpus/TARGET. An input that crashes, leaks, runs
# past the time limit or allocates past the memory limit is written to fuzz/corpus/TARGET/ as
# found-*, where ctest replays it (fuzz.replay.TARGET) and fails until it is mended; once it is,
# rename it to say what it holds (without "found-") and commit it. The run ends with status 1
# when anything was found.
set -euo pipefail
cd "$(dirname "$0")/.."
total="${1:-600}"
shift || true

# Every target with the longest input it is given: long enough for its seeds' deep paths,
# short enough to keep each input fast.
declare -A max_len=(
    [archive]=65536 [lzss]=16384 [strings]=16384 [scenario]=65536 [sprite]=32768
    [animation]=16384 [wave]=16384 [minimap]=32768 [info]=32768 [properties]=32768
    [matchup]=32768
    [plugin]=65536 [csv]=512 [changes-csv]=512 [changes-json]=2048
)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(archive lzss strings scenario sprite animation wave minimap info properties
             matchup plugin csv changes-csv changes-json)
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

# Each fuzzer's user and system time, for the rate per second of processor time: on a shared
# machine that is the one to compare.
TIMEFORMAT='%U %S'
echo "Fuzzing ${#targets[@]} targets for $share s each."
status=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    build-fuzz/fuzz/fuzz_replay_$target --write-seeds "$corpus"
    mkdir -p "fuzz/corpus/$target"
    # Open findings (found-*) stay out: they would stop the run before it starts.
    find "fuzz/corpus/$target" -type f ! -name 'found-*' -exec cp -t "$corpus" {} +
    log="build-fuzz/fuzz-$target.log"
    cpu_log="build-fuzz/fuzz-$target.cpu"
    : >"$log"
    : >"$cpu_log"
    # A finding ends a libFuzzer run; the target starts again for the rest of its share, up to
    # three findings. -timeout and the memory limits must never fire on a sound reader.
    started=$SECONDS
    deadline=$(( started + share ))
    found=0
    while [ $SECONDS -lt $deadline ] && [ $found -lt 3 ]; do
        if { time build-fuzz/fuzz/fuzz_$target "$corpus" -max_len="${max_len[$target]}" \
            -max_total_time=$(( deadline - SECONDS )) -timeout=10 -rss_limit_mb=2048 \
            -malloc_limit_mb=512 -print_final_stats=1 \
            -artifact_prefix="fuzz/corpus/$target/found-" >>"$log" 2>&1; } 2>>"$cpu_log"; then
            break
        fi
        found=$(( found + 1 ))
    done
    # The coverage at the start (seeds and corpus), what the run reached, and the run's figures.
    seeds=$(grep -m1 -o 'INITED cov: [0-9]* ft: [0-9]*' "$log" | cut -d' ' -f2- || true)
    reached=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    runs=$(grep -o 'number_of_executed_units: *[0-9]*' "$log" | awk '{n += $2} END {print n + 0}')
    outcome="nothing found"
    if [ $found -gt 0 ]; then
        outcome="FOUND $found: see $log and fuzz/corpus/$target/found-*"
        status=1
    fi
    elapsed=$(( SECONDS > started ? SECONDS - started : 1 ))
    per_cpu=$(awk -v runs="$runs" '{ cpu += $1 + $2 }
        END { printf "%d", (cpu > 0 ? runs / cpu : 0) }' "$cpu_log")
    printf '%-13s start %-20s run %-20s %11s inputs %7s/s %7s/cpu-s  %s\n' "$target" \
        "$seeds" "$reached" "$runs" "$(( runs / elapsed ))" "$per_cpu" "$outcome"
done
exit $status
