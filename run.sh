#!/usr/bin/env bash
# Installs what is missing, builds Kelo (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh build Release
exec build/app/kelo "$@"
