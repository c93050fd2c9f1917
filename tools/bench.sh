#!/usr/bin/env bash
# Runs the benchmark program of the 64-bit build inside the environment ./dev prepared.
set -euo pipefail
build="$1"; shift
wine64 "$build/win64/tools/bench/orvane_bench.exe" "$@"
