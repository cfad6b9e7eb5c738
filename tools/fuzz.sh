#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan) into ./build-fuzz
# and runs each for a given time:
#   tools/fuzz.sh [SECONDS] [TARGET...]     (default 300 s, every target)
# Each target keeps its corpus in build-fuzz/corpus/<target>, seeded with
# fuzz/seeds/<target> and its kept inputs. An input that makes a target fail is copied to
# fuzz/regressions/<target>/, where the ordinary tests run it from then on;
# the script then ends with status 1.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
build=build-fuzz

mapfile -t all < <(sed -n '/^set(KIV_FUZZ_TARGET_NAMES/,/)/p' fuzz/FuzzTargets.cmake |
                   grep -o '[a-z_]*_fuzz')
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

# KIV_FUZZ_NO_BUILD=1 runs what was built (several runs side by side).
# The instrumented libraries carry flags of their own, which a shared
# precompiled header would not match: the fuzz build does without.
if [ -z "${KIV_FUZZ_NO_BUILD:-}" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKIV_BUILD_FUZZ=ON -DKIV_BUILD_TESTS=OFF -DKIV_BUILD_UI=OFF -DKIV_PRECOMPILE=OFF >/dev/null
    cmake --build "$build" -j "${KIV_JOBS:-4}" --target "${targets[@]}"
fi

# The targets' scratch files stay inside the build folder.
export TMPDIR="$PWD/$build/tmp"
mkdir -p "$TMPDIR"
failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    artifacts="$build/artifacts/$target"
    mkdir -p "$corpus" "$artifacts"
    for seeds in "fuzz/seeds/$target" "fuzz/regressions/$target"; do
        if [ -d "$seeds" ]; then
            cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
        fi
    done
    dict=()
    [[ $target == *archive_fuzz ]] && dict=(-dict=fuzz/archive.dict)
    echo "== $target: $seconds s"
    # Leaks are reported too: an object a damaged file leaves behind is one.
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -rss_limit_mb=4096 -max_len=65536 -timeout=30 \
            -artifact_prefix="$artifacts/" "${dict[@]}" "$corpus" >"$build/$target.log" 2>&1; then
        failed+=("$target")
        mkdir -p "fuzz/regressions/$target"
        for input in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/oom-* "$artifacts"/timeout-*; do
            [ -e "$input" ] && cp "$input" "fuzz/regressions/$target/"
        done
        grep -m3 -E "ERROR|SUMMARY" "$build/$target.log" || tail -5 "$build/$target.log"
    else
        grep -E "^Done|stat::number_of_executed_units" "$build/$target.log" | tail -1 || true
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "failed: ${failed[*]} (inputs kept under fuzz/regressions/)"
    exit 1
fi
echo "all ${#targets[@]} targets ran $seconds s clean"
