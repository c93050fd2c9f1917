#!/usr/bin/env bash
# Registers the built suite folder in the Wine prefix, starts the tool, saves
# a screenshot of its window to build/screenshot.png and prints the gamma ramp
# that reached the screen. On a private display the tool is closed afterwards;
# on the user's display it keeps running until the user closes it.
# TOOL_LANGUAGE sets the suite's language value first (for example "en").
#   run_tool.sh BUILD PRIVATE_DISPLAY(0|1) [tool arguments...]
set -euo pipefail
build="$1"; private="$2"; shift 2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../tests/e2e/lib/e2e.sh"
e2e_init "$build/win64"

e2e_register_install
[[ -z "${TOOL_LANGUAGE:-}" ]] || e2e_reg add "$E2E_SUITE_USER_KEY" /v language /d "$TOOL_LANGUAGE" /f
e2e_start "$@"
if ! e2e_wait_window; then
  echo "The tool's window did not appear." >&2
  exit 1
fi
sleep 1
e2e_screenshot "$build/screenshot.png"
echo "Screenshot: $build/screenshot.png"
echo "Gamma ramp on the X server (entries 1, 128, 255 of each channel):"
"$XGAMMA" | awk '{ printf "  %-5s %5s %5s %5s\n", (NR==1?"red":NR==2?"green":"blue"), $2, $129, $256 }'
if [[ "$private" == 1 ]]; then
  e2e_close_window
else
  echo "The tool is running on $DISPLAY; close its window to finish."
  wait "$E2E_PID" || true
fi
