#!/usr/bin/env bash
# Starts the tool inside the environment ./dev prepared (Wine prefix, display),
# then shows what reached the screen.
#   run_tool.sh BUILD [KELVIN]
set -euo pipefail
build="$1"; shift
kelvin="${1:-3500}"
dist="$build/dist64"
echo "Applying $kelvin K on display $DISPLAY"
wine64 "$dist/tools/orvane_applytemp.exe" "$kelvin"
echo "Gamma ramp on the X server (entries 1, 128, 255 of each channel):"
"$build/host/xgamma" | awk '{ printf "%-5s %5s %5s %5s\n", (NR==1?"red":NR==2?"green":"blue"), $2, $129, $256 }'
