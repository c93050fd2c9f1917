#!/usr/bin/env bash
# Builds the Windows Installer package of one architecture from a suite folder:
#   build_msi.sh x86|x64 <suite folder> <output folder> [<signing folder>]
# It writes <output folder>/Eyeward-<version>-<arch>.msi and prints its path.
# The version is app/resources/version.txt, the exe's own (PACKAGE_VERSION
# overrides it, for packages that test upgrades). With a signing folder the
# package is signed with its "tamsel" certificate, as the build signs the exe
# and mirtel.dll; without one it stays unsigned, for a vendor to sign.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if [[ $# -lt 3 || ( "$1" != x86 && "$1" != x64 ) ]]; then
  echo "usage: build_msi.sh x86|x64 <suite folder> <output folder> [<signing folder>]" >&2
  exit 2
fi
arch="$1" suite="$(cd "$2" && pwd)" signing="${4:-}"
version="${PACKAGE_VERSION:-$(head -n 1 "$here/../app/resources/version.txt")}"
mkdir -p "$3"
msi="$(cd "$3" && pwd)/Eyeward-$version-$arch.msi"
work="$msi.building"
rm -f "$work"

# The File sources in the WiX source are relative to the suite folder.
(cd "$suite" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" -o "$work" "$here/Eyeward.wxs")

sql() { msibuild "$work" -q "$1"; }
upgrade_code="$(msiinfo export "$work" Property | tr -d '\r' | awk -F'\t' '$1 == "UpgradeCode" { print $2 }')"

# wixl drops IncludeMaximum: the row that finds older versions is written again
# with both ends inclusive (256 + 512), so that the same version is replaced too.
sql "DELETE FROM \`Upgrade\` WHERE \`ActionProperty\` = 'WIX_UPGRADE_DETECTED'"
sql "INSERT INTO \`Upgrade\` (\`UpgradeCode\`, \`VersionMin\`, \`VersionMax\`, \`Attributes\`, \`ActionProperty\`)
     VALUES ('$upgrade_code', '0.0.0', '$version', 768, 'WIX_UPGRADE_DETECTED')"

# Standard users may write the key the tool stores its setting in. wixl knows
# neither RegistryKey without values nor Permission/PermissionEx, so the key
# ("+": created when missing, left on uninstall) and its permissions go in
# here, in the installer's own MsiLockPermissionsEx table (Windows Installer
# 5): no custom action runs. The DACL is not protected, so the key keeps what
# it inherits from HKLM\SOFTWARE; SYSTEM and Administrators are named anyway,
# should it not. Users get KEY_READ | KEY_SET_VALUE (0x2001b): set values here,
# nothing beyond this one key.
sql "INSERT INTO \`Registry\` (\`Registry\`, \`Root\`, \`Key\`, \`Name\`, \`Component_\`)
     VALUES ('TemperatureKey', 2, 'SOFTWARE\\Orvane\\Tamsel\\ColorTemperature', '+', 'TemperatureKeyAccess')"
sql "CREATE TABLE \`MsiLockPermissionsEx\` (\`MsiLockPermissionsEx\` CHAR(72) NOT NULL,
     \`LockObject\` CHAR(72) NOT NULL, \`Table\` CHAR(32) NOT NULL, \`SDDLText\` LONGCHAR NOT NULL,
     \`Condition\` CHAR(255) PRIMARY KEY \`MsiLockPermissionsEx\`)"
sql "INSERT INTO \`MsiLockPermissionsEx\` (\`MsiLockPermissionsEx\`, \`LockObject\`, \`Table\`, \`SDDLText\`)
     VALUES ('TemperatureKeyUsers', 'TemperatureKey', 'Registry', 'D:(A;;KA;;;SY)(A;;KA;;;BA)(A;;0x2001b;;;BU)')"
if [[ "$arch" == x86 ]]; then
  # The tool writes the key in the 64-bit view, which a 32-bit package cannot
  # reach: on 64-bit Windows it would only leave a stray key in the 32-bit view.
  sql "UPDATE \`Component\` SET \`Condition\` = 'NOT VersionNT64' WHERE \`Component\` = 'TemperatureKeyAccess'"
fi

if [[ -n "$signing" ]]; then
  bash "$here/../tools/mirtel/codesign.sh" sign "$signing" tamsel "$work" "$work" "Eyeward"
fi
mv -f "$work" "$msi"
echo "$msi"
