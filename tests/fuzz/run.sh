#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A short libFuzzer run of every fuzz target, so that the test command explores beyond the seed
# corpora: the targets are built with clang in a folder of their own beside the build folder
# (build-fuzz; TESSAROON_FUZZ_DIR moves it) and each runs a fixed number of inputs from a fixed
# seed, so that the same code gives the same run. A crash, a hang (an input that takes longer
# than the timeout), a leak or a broken check of a target fails the run and leaves the input in
# <fuzz-dir>/runs/<target>/ (crash-*, timeout-*, leak-*, oom-*); add it to fuzz/corpus/<target>
# once it is fixed, so that the corpus replay keeps it.
#
#   tests/fuzz/run.sh <build-dir>
set -euo pipefail

top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
dir=${TESSAROON_FUZZ_DIR:-$build-fuzz}

# Inputs per target, each sized for about 20 to 30 seconds on one core of the CI machine.
declare -A runs=([tqd]=60000 [records]=200000 [settings]=10000 [wordlist]=100000 [style]=35000
    [jpeg]=200000 [net]=2000 [explain]=150000 [relay]=10000)
# Further options per target: the JPEG loader bounds libjpeg's memory, so a picture that claims
# more than the bound allows is a finding.
declare -A extra=([jpeg]="-malloc_limit_mb=512 -rss_limit_mb=1024")

targets=()
for src in "$top"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done

CC=clang CXX=clang++ cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTESSAROON_FUZZ=ON -DTESSAROON_BUILD_UI=OFF -DTESSAROON_BUILD_TESTS=OFF \
    -DTESSAROON_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"

failed=()
for target in "${targets[@]}"; do
    name=${target%_fuzz}
    out=$dir/runs/$name
    # New inputs go to a scratch folder emptied first: the seed corpus alone starts each run.
    rm -rf "$out"
    mkdir -p "$out/new"
    start=$SECONDS
    # shellcheck disable=SC2086 # the extra options are separate words
    if "$dir/fuzz/$target" -seed=1 -runs="${runs[$name]:-100000}" -timeout=5 \
        -artifact_prefix="$out/" -print_final_stats=1 ${extra[$name]:-} \
        "$out/new" "$top/fuzz/corpus/$name" >"$out/log" 2>&1; then
        echo "fuzz: $name: $(grep -o 'cov: [0-9]*' "$out/log" | tail -n 1)," \
            "$(grep -o 'stat::number_of_executed_units: [0-9]*' "$out/log" | grep -o '[0-9]*$') inputs" \
            "in $((SECONDS - start)) s"
    else
        echo "fuzz: $name FAILED; the input and the log are in $out:" >&2
        tail -n 40 "$out/log" >&2
        failed+=("$name")
    fi
done
echo "fuzz: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if ((${#failed[@]})); then
    echo "fuzz: findings in: ${failed[*]}" >&2
    exit 1
fi
