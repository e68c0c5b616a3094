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
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" -LE '^pg$'
# The server tests (label "pg") need a PostgreSQL server: pg_virtualenv starts a throw-away
# one and points libpq at it.
if command -v pg_virtualenv >/dev/null 2>&1; then
    echo "PostgreSQL tests inside pg_virtualenv"
    pg_virtualenv ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" -L '^pg$'
else
    echo "PostgreSQL tests skipped: pg_virtualenv not found (install the postgresql package)"
fi
echo "GUI tests under LC_ALL=ru_RU.UTF-8"
LC_ALL=ru_RU.UTF-8 ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" -L '^gui$'
