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
table() { msiinfo export "$msi" "$1" | tr -d '\r' | awk 'NR > 3'; }
check "MSI product version" "$version" "$(table Property | awk -F'\t' '$1 == "ProductVersion" {print $2}')"
check "MSI installs the zip's four files" "README.txt THIRD-PARTY-NOTICES.txt ZEMBSerConfig.exe zembcfg.exe" \
  "$(table File | cut -f3 | sed 's/.*|//' | sort | paste -sd' ' -)"
check "MSI file versions of both programs, as in their resources" "$version.0 1041 $version.0 1041" \
  "$(table File | awk -F'\t' '$1 ~ /\.exe$/ {print $5, $6}' | paste -sd' ' -)"
check "MSI Start-menu shortcut to the settings program, with the program's icon" \
  "ProgramMenuFolder ZEMBSCFG|ZEMBSerConfig SettingsProgram ZEMBSerConfig.exe" \
  "$(table Shortcut | awk -F'\t' '{print $2, $3, $4, $9}')"
check "MSI icon is the program's" yes \
  "$(msiinfo extract "$msi" Icon.ZEMBSerConfig.exe | cmp -s - "$root/resources/app.ico" && echo yes || echo no)"
check "MSI appends the install folder to the system PATH and takes it off on uninstall" \
  "PATH =-*PATH [~];[INSTALLDIR] CommandLineTool RemoveEnvironmentStrings WriteEnvironmentStrings" \
  "$(table Environment | tr '\t' ' ') $(table InstallExecuteSequence | cut -f1 | grep Environment | sort | paste -sd' ')"

# No ICE validator runs here: the rules that apply to this package, on its tables.
# ICE03: a file, folder or shortcut name that is not a valid 8.3 name comes as
# "short|long" ("." is the parent itself; a root folder's DefaultDir names the source).
not_filenames() {
  awk '
    function short(n, dot) {
      dot = index(n, ".")
      if (n ~ /[\\?|><:\/*" +,;=\[\]]/ || substr(n, dot + 1) ~ /\./) return 0
      return dot ? dot >= 2 && dot <= 9 && length(n) - dot >= 1 && length(n) - dot <= 3 : length(n) >= 1 && length(n) <= 8
    }
    function long(n) { return n != "" && n !~ /[\\?|><:\/*"]/ }
    $0 != "." && !(index($0, "|") ? short(substr($0, 1, index($0, "|") - 1)) && long(substr($0, index($0, "|") + 1)) : short($0))'
}
check "ICE03: file, folder and shortcut names (none wrong)" "" \
  "$({ table File | cut -f3; table Directory | awk -F'\t' '$2 != ""' | cut -f3 | tr ':' '\n'
       table Shortcut | cut -f3; } | not_filenames | paste -sd' ' -)"
# Key paths: every component is keyed by a file of its own (ICE19 for the one an
# advertised shortcut starts); ICE50: that shortcut's icon has its target's extension.
keys=$(join -t $'\t' <(table Component | awk -F'\t' '{print $6 "\t" $1}' | sort) \
  <(table File | awk -F'\t' '{print $1 "\t" $2 "\t" $3}' | sort))
check "key paths: each component's a file of its own" "CommandLineTool SettingsProgram Texts" \
  "$(awk -F'\t' '$2 == $3 {print $2}' <<<"$keys" | sort | paste -sd' ' -)"
check "ICE50: the shortcut's icon has the extension of the program it starts" ".exe .exe" \
  "$(table Shortcut | awk -F'\t' '{print $4 "\t" $9}' | sort | join -t $'\t' - <(cut -f2,4 <<<"$keys" | sort) |
     awk -F'\t' '{sub(/.*\./, ".", $2); sub(/.*\./, ".", $3); print $2, $3}')"

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
