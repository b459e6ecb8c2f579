#!/usr/bin/env bash
# Builds Saporia (Release), installs it into dist/ and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSAPORIA_TESTS=OFF -DCMAKE_INSTALL_PREFIX="$PWD/dist" >/dev/null
cmake --build build-release -j"$(nproc)"
cmake --install build-release >/dev/null
exec dist/saporia
