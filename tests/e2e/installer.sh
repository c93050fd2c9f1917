#!/usr/bin/env bash
# The installer packages as an administrator deploys them: silent installs into
# a fresh Wine prefix of their own (the shared test prefix keeps no trace), the
# installed tool's logon entry run from there, an upgrade over an older
# version, a refused downgrade, a silent uninstall, and the 32-bit package's
# files and values (its exe cannot run on these machines).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/e2e.sh"
e2e_init "$1"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$(cd "$1/.." && pwd)"
VERSION="$(head -n 1 "$ROOT/app/resources/version.txt")"
MSI64="$BUILD/package/Eyeward-$VERSION-x64.msi"
MSI32="$BUILD/package/Eyeward-$VERSION-x86.msi"
SHIPPED=(OrvaneRuzerodOradirr.exe cfgcrypt.exe config.ini data32.cfg mirtel.dll skin/lan/en.dat skin/lan/zh-cn.dat)
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
SUITE_KEY='HKLM\Software\Orvane\Tamsel'
KEY="$E2E_TEMPERATURE_KEY"

# No menu entries on the host desktop for the shortcut the package makes.
export WINEPREFIX="$E2E_TMP/prefix" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winemenubuilder.exe="
trap 'wineserver -k >/dev/null 2>&1; "$XGAMMA" --set-identity; e2e_cleanup' EXIT
wine64 wineboot -i >/dev/null 2>&1
wineserver -p30   # kept up between the steps, gone soon after an abort

msiexec() { timeout 300 wine64 msiexec "$@" /qn >/dev/null 2>&1; }
drive_c() { echo "$WINEPREFIX/drive_c/$1"; }

# The files below FOLDER, one relative path a line, sorted.
files_below() { (cd "$1" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
shipped_list() { printf '%s\n' "${SHIPPED[@]}" | LC_ALL=C sort; }
same_files() { # FOLDER SOURCE: every shipped file byte for byte as built
  local f
  for f in "${SHIPPED[@]}"; do cmp -s "$1/$f" "$2/$f" || return 1; done
}

# DisplayVersion of every installed "Eyeward" in one registry view, one a line.
installed_versions() {
  wine64 reg query "$UNINSTALL_KEY" /s "/reg:$1" 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { name = ""; version = "" }
         $1 == "DisplayName" { sub(/^[ \t]*DisplayName[ \t]+REG_SZ[ \t]+/, ""); name = $0 }
         $1 == "DisplayVersion" { version = $3 }
         name == "Eyeward" && version != "" { print version; name = "" }'
}

# The Start-menu shortcut wherever the installer resolved ProgramMenuFolder:
# the all-users folder on Windows; Wine's installer takes the user's.
shortcuts() {
  find "$(drive_c ProgramData)" "$(drive_c users)" -path '*/Start Menu/Programs/Eyeward.lnk' 2>/dev/null
}

signed_by_build() { # FILE CERTIFICATE
  osslsigncode verify -CAfile "$2" -in "$1" >/dev/null 2>&1
}

# ---- The packages are signed with the build's certificate ----
CERT64="$BUILD/win64/tools/mirtel/signing/tamsel.pem"
e2e_expect_true "the x64 package is signed with the build's certificate" signed_by_build "$MSI64" "$CERT64"

# ---- Upgrade: an older package first, then this one over it ----
older="$(PACKAGE_VERSION=0.0.1 "$ROOT/installer/build_msi.sh" x64 "$E2E_DIST" "$E2E_TMP/older")"
msiexec /i "$older"; status=$?
e2e_expect_eq "the older package installs" "0" "$status"
e2e_expect_eq "the older version is installed" "0.0.1" "$(installed_versions 64)"
e2e_expect_true "the package creates the temperature key users may write (64-bit view)" \
  e2e_reg query "$KEY" /reg:64
# The user's choice, stored by the tool meanwhile.
e2e_reg add "$KEY" /v ColorTemperatureValue /d 4200 /f /reg:64
e2e_reg add "$KEY" /v Eye_Protection /d false /f /reg:64

msiexec /i "$MSI64"; status=$?
e2e_expect_eq "the x64 package installs silently" "0" "$status"
e2e_expect_eq "one installation is left, of this version" "$VERSION" "$(installed_versions 64)"
msiexec /i "$older"; status=$?
e2e_expect_eq "the older package refuses to replace this one" "yes" "$([[ $status != 0 ]] && echo yes || echo no)"
e2e_expect_eq "this version stays installed" "$VERSION" "$(installed_versions 64)"

# ---- What the x64 package put where ----
folder="$(drive_c "Program Files/Orvane/Tamsel")"
exe='C:\Program Files\Orvane\Tamsel\OrvaneRuzerodOradirr.exe'
e2e_expect_eq "exactly the shipping files are installed" "$(shipped_list)" "$(files_below "$folder")"
e2e_expect_true "they are the files the build made" same_files "$folder" "$E2E_DIST"
e2e_expect_true "the installed exe carries the build's signature" signed_by_build "$folder/OrvaneRuzerodOradirr.exe" "$CERT64"
e2e_expect_true "the installed mirtel.dll carries the build's signature" signed_by_build "$folder/mirtel.dll" "$CERT64"
e2e_expect_eq "OrvaneInstallPath names the folder (32-bit view)" 'C:\Program Files\Orvane\Tamsel\' \
  "$(e2e_reg_value "$SUITE_KEY" OrvaneInstallPath 32)"
e2e_expect_eq "no OrvaneInstallPath in the 64-bit view" "" "$(e2e_reg_value "$SUITE_KEY" OrvaneInstallPath 64)"
logon="$(e2e_reg_value "$RUN_KEY" Eyeward 64)"
e2e_expect_eq "the logon entry runs the installed tool with -tamsel" "\"$exe\" -tamsel" "$logon"
e2e_expect_eq "no logon entry in the 32-bit view" "" "$(e2e_reg_value "$RUN_KEY" Eyeward 32)"
e2e_expect_eq "the stored temperature survived the upgrade" "4200" "$(e2e_reg_value "$KEY" ColorTemperatureValue 64)"
shortcut="$(shortcuts)"
e2e_expect_eq "one Start-menu shortcut \"Eyeward\"" "1" "$(grep -c . <<<"$shortcut")"
e2e_expect_true "the shortcut starts the installed exe" grep -aqF "$exe" "$shortcut"

# ---- The logon entry, run as the logon runs it ----
[[ "$logon" =~ ^\"([^\"]+)\"\ (.*)$ ]]
logon_exe="${BASH_REMATCH[1]:-}" logon_args="${BASH_REMATCH[2]:-}"
"$XGAMMA" --set-identity
timeout 60 wine64 "$logon_exe" $logon_args >/dev/null 2>&1; status=$?
e2e_expect_eq "the logon entry's run exits with 0" "0" "$status"
e2e_expect_eq "it puts the stored 4200 K on screen" "$(e2e_expected_gamma 4200 2)/$(e2e_expected_gamma 4200 1)" \
  "$(e2e_gamma 2 255)/$(e2e_gamma 1 255)"
# Eye comfort on: the preset, and its event through the installed mirtel.dll,
# which the tool loads only when its signature is one config.ini trusts.
e2e_reg add "$KEY" /v Eye_Protection /d true /f /reg:64
timeout 60 wine64 "$logon_exe" $logon_args >/dev/null 2>&1
e2e_expect_eq "with eye comfort stored on it puts 3500 K on screen" "$(e2e_expected_gamma 3500 1)" "$(e2e_gamma 1 255)"
e2e_expect_eq "the installed mirtel.dll records eye comfort on" "1" "$(e2e_count_events HS201)"
stored="$(e2e_reg_value "$KEY" ColorTemperatureValue 64)"

# ---- Silent uninstall ----
msiexec /x "$MSI64"; status=$?
e2e_expect_eq "the x64 package uninstalls silently" "0" "$status"
e2e_expect_eq "no installation is left" "" "$(installed_versions 64)"
e2e_expect_eq "the install folder is gone, Orvane's too" "no" \
  "$([[ -e $(drive_c "Program Files/Orvane") ]] && echo yes || echo no)"
e2e_expect_eq "the shortcut is gone" "" "$(shortcuts)"
e2e_expect_eq "the logon entry is gone" "" "$(e2e_reg_value "$RUN_KEY" Eyeward 64)"
e2e_expect_eq "OrvaneInstallPath is gone" "" "$(e2e_reg_value "$SUITE_KEY" OrvaneInstallPath 32)"
e2e_expect_eq "the stored temperature is kept" "$stored" "$(e2e_reg_value "$KEY" ColorTemperatureValue 64)"
e2e_expect_eq "the stored eye comfort is kept" "true" "$(e2e_reg_value "$KEY" Eye_Protection 64)"

# ---- The x86 package, into the prefix the uninstall has just left clean ----
if [[ -f "$MSI32" ]]; then
  CERT32="$BUILD/win32/tools/mirtel/signing/tamsel.pem"
  e2e_expect_true "the x86 package is signed with the build's certificate" signed_by_build "$MSI32" "$CERT32"
  msiexec /i "$MSI32"; status=$?
  e2e_expect_eq "the x86 package installs silently" "0" "$status"
  e2e_expect_eq "it is installed once, of this version" "$VERSION" "$(installed_versions 32)$(installed_versions 64)"
  folder="$(drive_c "Program Files (x86)/Orvane/Tamsel")"
  e2e_expect_eq "the shipping files go to the 32-bit Program Files" "$(shipped_list)" "$(files_below "$folder")"
  e2e_expect_true "they are the 32-bit product's files" same_files "$folder" "$BUILD/dist"
  e2e_expect_eq "OrvaneInstallPath names that folder (32-bit view)" 'C:\Program Files (x86)\Orvane\Tamsel\' \
    "$(e2e_reg_value "$SUITE_KEY" OrvaneInstallPath 32)"
  e2e_expect_eq "the logon entry runs the 32-bit tool with -tamsel" \
    '"C:\Program Files (x86)\Orvane\Tamsel\OrvaneRuzerodOradirr.exe" -tamsel' "$(e2e_reg_value "$RUN_KEY" Eyeward 32)"
  e2e_expect_eq "one Start-menu shortcut \"Eyeward\"" "1" "$(shortcuts | grep -c .)"
  # It cannot reach the 64-bit key the tool writes, so it leaves no key in the 32-bit view either.
  e2e_expect_eq "no temperature key in the 32-bit view" "no" \
    "$(e2e_reg query "$KEY" /reg:32 && echo yes || echo no)"
else
  echo "skip the x86 package: $MSI32 was not built (SKIP_WIN32)"
fi

e2e_finish
