#!/usr/bin/env bash
# Build-time code signing with a self-made certificate.
#   codesign.sh cert <folder> <name> <common name>   key, certificate and thumbprint
#   codesign.sh sign <folder> <name> <in> <out> [<description>]
#                                                    Authenticode-sign <in> (a PE file or an
#                                                    MSI package) into <out>, which may be <in>
#   codesign.sh ini <config.ini> <thumbprint file>   set "ThrumbPrintsList" in section [config]
set -euo pipefail

case "$1" in
cert)
  dir="$2" name="$3" cn="$4"
  mkdir -p "$dir"
  if [[ ! -f "$dir/$name.pem" || ! -f "$dir/$name.key" ]]; then
    openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 \
      -keyout "$dir/$name.key" -out "$dir/$name.pem" -subj "/CN=$cn" \
      -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" 2>/dev/null
  fi
  # SHA-1 of the DER certificate, as Windows shows it: 40 lower-case hex digits.
  openssl x509 -in "$dir/$name.pem" -noout -fingerprint -sha1 \
    | sed -e 's/.*=//' -e 's/://g' | tr 'A-F' 'a-f' > "$dir/$name.thumbprint"
  ;;
sign)
  dir="$2" name="$3" in="$4" out="$5" description="${6:-Orvane usage statistics}"
  mkdir -p "$(dirname "$out")"
  # Through a temporary file, so that <out> is never half written and may be <in>.
  rm -f "$out.signing"
  osslsigncode sign -certs "$dir/$name.pem" -key "$dir/$name.key" -h sha256 \
    -n "$description" -in "$in" -out "$out.signing" >/dev/null
  mv -f "$out.signing" "$out"
  ;;
ini)
  ini="$2" thumbprint="$(cat "$3")"
  # Keep whatever else the file holds; replace or add the one key.
  python3 - "$ini" "$thumbprint" <<'PY'
import os, sys
path, thumbprint = sys.argv[1], sys.argv[2]
lines = open(path, encoding="utf-8").read().splitlines() if os.path.exists(path) else []
out, section, done = [], None, False
for line in lines:
    stripped = line.strip()
    if stripped.startswith("[") and stripped.endswith("]"):
        if section == "config" and not done:
            out.append("ThrumbPrintsList=" + thumbprint)
            done = True
        section = stripped[1:-1].strip().lower()
    elif section == "config" and stripped.split("=", 1)[0].strip().lower() == "thrumbprintslist":
        if not done:
            out.append("ThrumbPrintsList=" + thumbprint)
            done = True
        continue
    out.append(line)
if not done:
    if section != "config":
        out.append("[config]")
    out.append("ThrumbPrintsList=" + thumbprint)
open(path, "w", encoding="utf-8", newline="\r\n").write("\n".join(out) + "\n")
PY
  ;;
*)
  echo "usage: codesign.sh cert|sign|ini ..." >&2
  exit 2
  ;;
esac
