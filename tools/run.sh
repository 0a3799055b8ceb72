#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
exec build/bin/R7Configurator "$@"
