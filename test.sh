#!/usr/bin/env bash
# Installs what is missing, builds Kelo with its tests and runs every test headless, then
# the GUI tests (label "gui") once more under the Russian locale the planners use.
#   ./test.sh             Release build in build/
#   ./test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-asan
    tools/setup.sh "$build_dir" Debug -DKELO_SANITIZE=ON
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
    export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
    build_dir=build
    tools/setup.sh "$build_dir" Release
fi

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"
echo "GUI tests under LC_ALL=ru_RU.UTF-8"
LC_ALL=ru_RU.UTF-8 ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" -L '^gui$'
