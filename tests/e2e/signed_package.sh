#!/usr/bin/env bash
# scripts/package --sign with a code-signing certificate made for the test: both
# programs (inside the zip) and the MSI carry a signature that verifies against
# that certificate and not against another one; an unsigned release has none.
# Usage: tests/e2e/signed_package.sh [UNSIGNED_DIST]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
unsigned=${1:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/zemb-signed.XXXXXX")
trap 'rm -rf "$work"' EXIT

certificate() { # name
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=ZEMBSerConfig test $1" \
    -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature \
    -keyout "$work/$1.key" -out "$work/$1.pem" 2>/dev/null
}
certificate signer
certificate stranger

ZEMB_SIGN_CERT=$work/signer.pem ZEMB_SIGN_KEY=$work/signer.key \
  bash "$root/scripts/package" --sign --out "$work/dist" >"$work/package.log" 2>&1 ||
  { tail -n 30 "$work/package.log"; echo "FAIL scripts/package --sign"; exit 1; }

verifies() { # file ca
  osslsigncode verify -CAfile "$2" -in "$1" >"$work/verify.log" 2>&1 && echo yes || echo no
}

mkdir -p "$work/zip"
unzip -q "$work"/dist/ZEMBSerConfig-*-win-x64.zip -d "$work/zip"
for file in "$work"/zip/*/ZEMBSerConfig.exe "$work"/zip/*/zembcfg.exe "$work"/dist/ZEMBSerConfig-*-x64.msi; do
  name=$(basename "$file")
  check "$name signature verifies against the signing certificate" yes "$(verifies "$file" "$work/signer.pem")"
  check "$name signature does not verify against another certificate" no "$(verifies "$file" "$work/stranger.pem")"
done
check "SHA256SUMS of the signed release matches" 0 \
  "$(cd "$work/dist" && sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1; echo $?)"

if [[ -n "$unsigned" ]]; then
  mkdir -p "$work/unsigned"
  unzip -q "$unsigned"/ZEMBSerConfig-*-win-x64.zip -d "$work/unsigned"
  for file in "$work"/unsigned/*/ZEMBSerConfig.exe "$unsigned"/ZEMBSerConfig-*-x64.msi; do
    osslsigncode verify -in "$file" >"$work/verify.log" 2>&1 || true
    check "$(basename "$file") of the unsigned release has no signature" yes \
      "$(grep -qiE 'no signature|Unable to extract' "$work/verify.log" && echo yes || echo no)"
  done
fi

checks_done
