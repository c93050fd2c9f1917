#!/usr/bin/env bash
# Build-time code signing with self-made certificates.
#   codesign.sh cert <folder> <name> <common name>   self-signed key, certificate and thumbprint
#   codesign.sh root <folder> <name> <common name>   a certificate authority (DER copy for importing)
#   codesign.sh issue <folder> <name> <common name> <root name>
#                                                    key, certificate and thumbprint issued by the root
#   codesign.sh sign <folder> <name> <in> <out> [<description>]
#                                                    Authenticode-sign <in> (a PE file or an
#                                                    MSI package) into <out>, which may be <in>
#   codesign.sh ini <config.ini> <thumbprint file>   set "ThrumbPrintsList" in section [config]
set -euo pipefail

# SHA-1 of the DER certificate, as Windows shows it: 40 lower-case hex digits.
thumbprint() {
  openssl x509 -in "$1/$2.pem" -noout -fingerprint -sha1 \
    | sed -e 's/.*=//' -e 's/://g' | tr 'A-F' 'a-f' > "$1/$2.thumbprint"
}

# self_signed <folder> <name> <common name> <extension>...: key and certificate, made once.
self_signed() {
  local dir="$1" name="$2" cn="$3" extension extensions=()
  shift 3
  for extension in "$@"; do extensions+=(-addext "$extension"); done
  mkdir -p "$dir"
  [[ -f "$dir/$name.pem" && -f "$dir/$name.key" ]] && return
  openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 \
    -keyout "$dir/$name.key" -out "$dir/$name.pem" -subj "/CN=$cn" "${extensions[@]}" 2>/dev/null
}

case "$1" in
cert)
  self_signed "$2" "$3" "$4" extendedKeyUsage=codeSigning keyUsage=digitalSignature
  thumbprint "$2" "$3"
  ;;
root)
  self_signed "$2" "$3" "$4" basicConstraints=critical,CA:TRUE keyUsage=critical,keyCertSign,cRLSign
  openssl x509 -in "$2/$3.pem" -outform der -out "$2/$3.der"
  ;;
issue)
  dir="$2" name="$3" cn="$4" root="$5"
  if [[ ! -f "$dir/$name.pem" || ! -f "$dir/$name.key" || "$dir/$root.pem" -nt "$dir/$name.pem" ]]; then
    openssl req -newkey rsa:2048 -nodes -sha256 -keyout "$dir/$name.key" -out "$dir/$name.csr" \
      -subj "/CN=$cn" 2>/dev/null
    printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature extendedKeyUsage=codeSigning \
      subjectKeyIdentifier=hash authorityKeyIdentifier=keyid:always > "$dir/$name.ext"
    openssl x509 -req -in "$dir/$name.csr" -CA "$dir/$root.pem" -CAkey "$dir/$root.key" \
      -set_serial "0x$(openssl rand -hex 8)" -days 3650 -sha256 -extfile "$dir/$name.ext" \
      -out "$dir/$name.pem" 2>/dev/null
  fi
  thumbprint "$dir" "$name"
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
  echo "usage: codesign.sh cert|root|issue|sign|ini ..." >&2
  exit 2
  ;;
esac
