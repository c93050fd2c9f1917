#!/usr/bin/env bash
# Runs one test command in an environment of its own: a copy of the prepared
# Wine prefix, its own wineserver and its own dummy display. Tests that set the
# gamma ramp, write the registry or start the single-instance tool can then
# run side by side.
#   isolated.sh BUILD COMMAND...
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$1"; shift
source "$ROOT/tools/testenv/testenv.sh"

scratch="$(mktemp -d "$BUILD/isolated.XXXXXX")"
cleanup() { testenv_stop; rm -rf "$scratch"; }
trap cleanup EXIT
trap 'exit 143' INT TERM

cp -a "$BUILD/wineprefix" "$scratch/prefix"
export WINEPREFIX="$scratch/prefix"
testenv_start_display || exit 1
wineserver -p
"$@"
