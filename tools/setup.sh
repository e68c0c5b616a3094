#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: installs the Debian packages the build needs
# (only those that are missing), then configures and builds one build folder.
# Usage: tools/setup.sh BUILD_DIR BUILD_TYPE [extra cmake arguments...]
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
    fonts-dejavu-core
    poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    else
        as_root=(sudo)
    fi
    "${as_root[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
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
