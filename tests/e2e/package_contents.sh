#!/usr/bin/env bash
# What scripts/package put in DIST: the zip's file list, the sums, the version
# in every place it must reach, the readme's languages and the notices' licence
# texts. Usage: tests/e2e/package_contents.sh DIST
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tests/e2e/checks.sh"
dist=$(realpath "$1")
cd "$dist"
zip=$(ls ZEMBSerConfig-*-win-x64.zip)
version=$(sed 's/^ZEMBSerConfig-\(.*\)-win-x64\.zip$/\1/' <<<"$zip")
msi=ZEMBSerConfig-$version-x64.msi
work=$(mktemp -d "${TMPDIR:-/tmp}/zemb-contents.XXXXXX")
trap 'rm -rf "$work"' EXIT

has() { grep -qF -- "$2" "$1" && echo yes || echo "no \"$2\""; }

folder=ZEMBSerConfig-$version-win-x64
check "zip file list" \
  "$folder/ZEMBSerConfig.exe $folder/zembcfg.exe $folder/README.txt $folder/THIRD-PARTY-NOTICES.txt" \
  "$(unzip -Z1 "$zip" | paste -sd' ' -)"
check "SHA256SUMS lists the zip and the MSI" "$zip $msi" "$(awk '{print $2}' SHA256SUMS | paste -sd' ' -)"
check "SHA256SUMS matches" 0 "$(sha256sum --quiet -c SHA256SUMS >/dev/null 2>&1; echo $?)"

unzip -q "$zip" -d "$work"
for program in ZEMBSerConfig.exe zembcfg.exe; do
  check "$program version resource" "$version.0 $version.0" \
    "$(strings -el "$work/$folder/$program" | grep -A1 -xE 'FileVersion|ProductVersion' | grep -v -e Version -e -- | paste -sd' ' -)"
done
check "MSI product version" "$version" "$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductVersion" {print $2}')"
check "MSI installs the zip's four files" "README.txt THIRD-PARTY-NOTICES.txt ZEMBSerConfig.exe zembcfg.exe" \
  "$(msiinfo export "$msi" File | tr -d '\r' | awk -F'\t' 'NR > 3 {print $3}' | sort | paste -sd' ' -)"
check "MSI Start-menu shortcut to the settings program, with the program's icon" \
  "ProgramMenuFolder ZEMBSerConfig SettingsProgram app.ico" \
  "$(msiinfo export "$msi" Shortcut | tr -d '\r' | awk -F'\t' 'NR > 3 {print $2, $3, $4, $9}')"
check "MSI icon is the program's" yes \
  "$(msiinfo extract "$msi" Icon.app.ico | cmp -s - "$root/resources/app.ico" && echo yes || echo no)"

readme=$work/$folder/README.txt
check "README.txt: UTF-8 with a byte order mark, CRLF lines" "efbbbf crlf" \
  "$(head -c3 "$readme" | od -An -tx1 | tr -d ' ') $(grep -qv $'\r$' "$readme" && echo lf || echo crlf)"
japanese=$(grep -n -m1 '■ これは何か' "$readme" | cut -d: -f1)
english=$(grep -n -m1 '^WHAT IT IS' "$readme" | cut -d: -f1)
check "README.txt: Japanese first, then English" yes \
  "$([[ -n "$japanese" && -n "$english" && $japanese -lt $english ]] && echo yes || echo no)"
check "README.txt: the version and how to check a sum" "yes yes" \
  "$(has "$readme" "ZEMBSerConfig $version") $(has "$readme" 'Get-FileHash -Algorithm SHA256')"

notices=$work/$folder/THIRD-PARTY-NOTICES.txt
for text in 'University of Cincinnati' 'Niels Lohmann' 'Mark Gillard' 'GCC RUNTIME LIBRARY EXCEPTION' \
  'GNU GENERAL PUBLIC LICENSE' 'END OF TERMS AND CONDITIONS' 'License: ZPL-2.1' \
  'mingw-w64-libraries/winpthreads/*' 'License: Lucent'; do
  check "THIRD-PARTY-NOTICES.txt: $text" yes "$(has "$notices" "$text")"
done

checks_done
