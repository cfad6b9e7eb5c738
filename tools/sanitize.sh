#!/usr/bin/env bash
# Builds and runs the test suite under the sanitizers:
#   tools/sanitize.sh [asan|tsan|both]      (default both)
# asan: every test program with AddressSanitizer and UndefinedBehaviorSanitizer
#       (./build-asan); any report fails the run. KIV_ASAN_TESTS narrows it
#       to some test programs (a ctest -R expression).
# tsan: the test programs that run threads (link, emulator, USB, caches,
#       the framework's threads, the poll and transfer workers) with
#       ThreadSanitizer (./build-tsan). The window programs are left out:
#       their threads hand work to the interface thread through Qt's event
#       queue, whose locks the sanitizer cannot see in an uninstrumented Qt,
#       so every queued call would be reported as a race.
#       KIV_TSAN_TESTS overrides the list (a ctest -R expression).
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-both}
jobs=${KIV_JOBS:-$(nproc 2>/dev/null || echo 2)}

configure() {
    local dir=$1 flags=$2
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
}

status=0
if [ "$which" = asan ] || [ "$which" = both ]; then
    # GCC's flow analysis under ASan warns of uninitialised members inside
    # the standard library (std::regex); that is no finding of ours.
    configure build-asan "-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -Wno-maybe-uninitialized"
    asan_tests=${KIV_ASAN_TESTS:-.}
    if [ "$asan_tests" = . ]; then
        cmake --build build-asan -j "$jobs"
    else
        mapfile -t targets < <(cd build-asan && ctest -N -R "$asan_tests" | sed -n 's/^ *Test *#[0-9]*: //p')
        cmake --build build-asan -j "$jobs" --target "${targets[@]}"
    fi
    # Qt and the desktop libraries keep allocations to the end of the
    # process; leaks are the fuzz targets' business.
    (cd build-asan && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --output-on-failure -j "$jobs" -R "$asan_tests") || status=1
fi
if [ "$which" = tsan ] || [ "$which" = both ]; then
    configure build-tsan "-fsanitize=thread -fno-omit-frame-pointer"
    tests=${KIV_TSAN_TESTS:-"fw_core_tests|cache_tests|instrument_tests|canvoicegps_tests|usb_core_tests|usb_library_tests|usb_link_tests|measure_tests"}
    mapfile -t targets < <(cd build-tsan && ctest -N -R "$tests" | sed -n 's/^ *Test *#[0-9]*: //p')
    cmake --build build-tsan -j "$jobs" --target "${targets[@]}"
    (cd build-tsan && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions="$PWD/../tools/tsan.supp" \
        ctest --output-on-failure -j "$jobs" -R "$tests") || status=1
fi
exit $status
