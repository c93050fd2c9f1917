#!/usr/bin/env bash
# Files other users and programs can plant around the tool: a statistics
# library, language files and settings in the current folder while the
# install folder is not usable; system libraries beside the exe; a linked
# logs folder and a linked "cfg.dll" in the shared data folder. None of them
# may be loaded, changed or deleted.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"
MIRTEL="$E2E_BUILD/tools/mirtel"
MARKER="$E2E_TMP/loaded.txt"
export ORVANE_LOAD_MARKER
ORVANE_LOAD_MARKER="$(e2e_winpath "$MARKER")"
INSTALL_KEY='HKLM\Software\Orvane\Tamsel'

# ---- install folder missing, relative or on the network: the exe's own folder, not the current one ----
planted="$E2E_TMP/current"
mkdir -p "$planted/skin/lan"
# A library signed as the install's own (its config.ini trusts the signer), which notes every load.
cp "$MIRTEL/signed-marker/mirtel.dll" "$planted/mirtel.dll"
printf 'channel: planted\r\n' > "$planted/data32.cfg"
for install in missing 'Orvane\' '\\server\share\Orvane\'; do
  e2e_reset_state
  rm -f "$MARKER"
  if [[ $install == missing ]]; then
    e2e_reg delete "$INSTALL_KEY" /v OrvaneInstallPath /f /reg:32
  else
    e2e_reg add "$INSTALL_KEY" /v OrvaneInstallPath /t REG_SZ /d "$install" /reg:32 /f
  fi
  (cd "$planted" && timeout 60 wine64 "$E2E_EXE" -tamsel >/dev/null 2>&1)
  e2e_expect_eq "install folder $install: the planted library is not loaded" "" "$(cat "$MARKER" 2>/dev/null)"
  events="$(e2e_events_file)"
  e2e_expect_true "install folder $install: the exe folder's library and settings are used" \
    grep -q '"channel":"other"' "${events:-/dev/null}"
done
e2e_register_install

# ---- system libraries planted beside the exe ----
# Wine prefers its own copies of system libraries; told to prefer files
# found on the search path, it looks where Windows looks for a library the
# system does not protect.
copy="$E2E_TMP/install"
cp -r "$E2E_DIST" "$copy"
for dll in crypt32 wintrust; do cp "$MIRTEL/unsigned-marker/mirtel.dll" "$copy/$dll.dll"; done
printf 'CheckDigitalCertify=2\r\n' >> "$copy/config.ini" # the trust provider is used too
e2e_reset_state
rm -f "$MARKER"
(WINEDLLOVERRIDES="$WINEDLLOVERRIDES;crypt32,wintrust=n,b" timeout 60 wine64 "$copy/OrvaneRuzerodOradirr.exe" -tamsel \
  >/dev/null 2>&1)
e2e_expect_eq "planted system libraries are not loaded" "" "$(cat "$MARKER" 2>/dev/null)"
e2e_expect_true "the statistics library still loads" grep -q '"call":"initialize2"' "$(e2e_events_file)"

# ---- a linked logs folder and a linked cfg.dll in the shared data folder ----
data="$(e2e_data_folder)"
victims="$E2E_TMP/victims"
mkdir -p "$victims/logs"
head -c 600000 /dev/urandom > "$victims/logs/OrvaneRuzerodOradir.normal.txt" # would be started anew
head -c 777 /dev/urandom > "$victims/cfg.bin"                                # would be deleted as unreadable
sums="$(cd "$victims" && md5sum logs/* cfg.bin)"
e2e_reset_state
[[ -e "$data/logs" ]] && mv "$data/logs" "$data/logs.kept"
rm -f "$data/cfg.dll"
ln -s "$victims/logs" "$data/logs"
ln -s "$victims/cfg.bin" "$data/cfg.dll"
e2e_run -tamsel
rm -f "$data/logs" "$data/cfg.dll"
[[ -e "$data/logs.kept" ]] && mv "$data/logs.kept" "$data/logs"
e2e_expect_eq "linked files: -tamsel still exits with 0" "0" "$E2E_STATUS"
e2e_expect_eq "linked files: the files they point at are unchanged" "$sums" "$(cd "$victims" && md5sum logs/* cfg.bin)"
e2e_expect_eq "linked files: nothing new beside them" "OrvaneRuzerodOradir.normal.txt" "$(ls "$victims/logs")"

e2e_finish
