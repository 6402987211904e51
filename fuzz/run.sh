#!/usr/bin/env bash
# Fuzzes every parser with libFuzzer under ASan/UBSan for SECONDS each (default 60), starting
# from the seeds the project builds. New inputs that find something are left in fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
if [ "$(id -u)" -eq 0 ]; then sudo_cmd=(); else sudo_cmd=(sudo); fi
dpkg-query -W clang >/dev/null 2>&1 || "${sudo_cmd[@]}" apt-get install -y --no-install-recommends clang
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNWICK_FUZZ=ON -DTARNWICK_TESTS=ON
targets=(archive lzss strings scenario sprite animation changes wave)
cmake --build build-fuzz -j2 --target "${targets[@]/#/fuzz_}" "${targets[@]/#/fuzz_replay_}"
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    build-fuzz/fuzz/fuzz_replay_$target --write-seeds "$corpus"
    mkdir -p fuzz/findings
    build-fuzz/fuzz/fuzz_$target "$corpus" -max_total_time="$seconds" -max_len=65536 \
        -artifact_prefix=fuzz/findings/$target- -print_final_stats=1
done
