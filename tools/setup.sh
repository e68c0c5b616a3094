#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: installs the Debian packages the build needs
# (only those that are missing), then configures and builds one build folder.
# Usage: tools/setup.sh BUILD_DIR BUILD_TYPE [extra cmake arguments...]
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
    libzip-dev
    libpq-dev postgresql
    fonts-dejavu-core locales
    poppler-utils
    clang-format
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    "${as_root[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The planners run Kelo under a Russian locale; the GUI tests run a second time in it.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; then
    echo "Generating the ru_RU.UTF-8 locale"
    if grep -q '^# *ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        "${as_root[@]}" sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'ru_RU.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${as_root[@]}" locale-gen
fi

build_dir=$1
build_type=$2
shift 2

top=$(cd "$(dirname "$0")/.." && pwd)
# ccache, where someone installed it, only speeds up rebuilds; the build never needs it.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$top" -B "$top/$build_dir" -DCMAKE_BUILD_TYPE="$build_type" "${launcher[@]}" "$@"
cmake --build "$top/$build_dir" --parallel "$(nproc)"
