#!/usr/bin/env bash
# The installer as an operator meets it, in a fresh Wine prefix of its own:
# a quiet install; the installed program opens its sheet from the Start-menu
# shortcut and closes with ｷｬﾝｾﾙ; the installed zembcfg prints the version, also
# when typed as a command (the folder is on PATH, and no longer once uninstalled); a
# package of a higher version installs over it and leaves one entry, and the
# older one then refuses to go back; uninstalling removes the programs and the
# shortcut and leaves the settings file and the registry values alone.
# Usage (inside a scripts/wine-env environment): msi_install.sh DIST [SCREENSHOT.png]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
dist=$(realpath "$1")
screenshot=${2:-$root/build/screenshots/installed.png}
: "${WINE_ENV_DIR:?run inside a scripts/wine-env environment}" "${DISPLAY:?needs a display}"
source "$root/tests/e2e/checks.sh"

msi=$(ls "$dist"/ZEMBSerConfig-*-x64.msi)
zip=$(ls "$dist"/ZEMBSerConfig-*-win-x64.zip)
version=$(basename "$msi" | sed 's/^ZEMBSerConfig-\(.*\)-x64\.msi$/\1/')

fresh=$(mktemp -d "$WINE_ENV_DIR/msi.XXXXXX")
trap 'wine_env_stop_server; rm -rf "$fresh"' EXIT
wine_env_fresh_prefix "$fresh"

exists() { [[ -e "$1" ]] && echo yes || echo no; }
gone() { [[ -e "$1" ]] && echo no || echo yes; }

drive_c=$WINEPREFIX/drive_c
folder="$drive_c/Program Files/ZEMBSerConfig"
files=(ZEMBSerConfig.exe zembcfg.exe README.txt THIRD-PARTY-NOTICES.txt)
# Windows Installer's ProgramMenuFolder: the common one for a per-machine
# package on Windows; Wine resolves it to the user's.
shortcut() {
  local candidate
  for candidate in "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZEMBSerConfig.lnk" \
    "$drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/ZEMBSerConfig.lnk"; do
    [[ -e "$candidate" ]] && { echo "$candidate"; return; }
  done
}
uninstall_entries() { # DisplayVersion of every entry named ZEMBSerConfig, comma-separated
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { name = ""; ver = "" }
         $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { ver = $3 }
         name == "ZEMBSerConfig" && ver != "" { print ver; name = "" }' | paste -sd, -
}
install() { # msi: exit status of a quiet install
  local rc=0
  wine msiexec /i "$(winepath -w "$1")" /qn >/dev/null 2>&1 || rc=$?
  echo "$rc"
}

echo "installing $(basename "$msi")"
check "quiet install exit status" 0 "$(install "$msi")"
unpacked=$fresh/zip
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
for f in "${files[@]}"; do
  same=no
  cmp -s "$folder/$f" "$unpacked"/*/"$f" && same=yes
  check "Program Files\\ZEMBSerConfig\\$f is the released file" yes "$same"
done
check "the shared presets folder" yes "$(exists "$drive_c/ProgramData/Calderwick/ZEMBSerConfig/Presets")"
check "Start-menu shortcut" yes "$([[ -n "$(shortcut)" ]] && echo yes || echo no)"
check "installed programs entry" "$version" "$(uninstall_entries)"

# The program from its shortcut, as an operator starts it; ｷｬﾝｾﾙ stores nothing but RetVal 2.
wine start /wait "$(winepath -w "$(shortcut)")" >/dev/null 2>&1 &
started=$!
window=$(wine_env_sheet_window 60)
check "the installed program opens its sheet" yes "$([[ -n "$window" ]] && echo yes || echo no)"
if [[ -n "$window" ]]; then
  mkdir -p "$(dirname "$screenshot")"
  wine_env_picture "$window" screen "${screenshot%.png}"
  echo "     screenshot: $screenshot"
  # Esc is the sheet's ｷｬﾝｾﾙ (RetVal 2 below tells it from the close box's 0).
  xdotool key Escape
fi
closed=no
for _ in $(seq 100); do
  kill -0 "$started" 2>/dev/null || { closed=yes; break; }
  sleep 0.1
done
check "the sheet closes with ｷｬﾝｾﾙ" yes "$closed"
retval=$(wine_env_reg_value "$program_key" RetVal)
check "RetVal after ｷｬﾝｾﾙ" 0x2 "${retval:-missing}"

version_line=$(wine "$folder/zembcfg.exe" --version 2>/dev/null | tr -d '\r')
check "installed zembcfg.exe --version" "zembcfg $version" "$version_line"
# Typed in a console opened after the install: found on the system PATH.
on_path() { wine cmd /c zembcfg --version 2>/dev/null | tr -d '\r' | grep -x "zembcfg $version" || echo "not found"; }
system_path() { # the install folder's entries in the system PATH
  wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v PATH 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *PATH *REG_[A-Z_]* *//p' | tr ';' '\n' | grep -ic 'Program Files\\ZEMBSerConfig' || true
}
check "zembcfg on PATH after the install" "zembcfg $version" "$(on_path)"

# What the operator keeps: it must survive the upgrade and the uninstall.
settings=$(wine_env_settings_path)
check "settings file after the first run" yes "$(exists "$settings")"
settings_sum=$(sha256sum <"$settings" 2>/dev/null || true)
registry=$(wine reg query "$program_key" /s 2>/dev/null | tr -d '\r')

# The same programs as the next patch version: a newer package replaces the older one.
IFS=. read -r major minor patch <<<"$version"
next=$major.$minor.$((patch + 1))
staging=$fresh/next
mkdir -p "$staging"
cp -r "$unpacked"/*/. "$staging/files"
cp "$root/resources/app.ico" "$staging/"
(cd "$staging" && "$root/packaging/build-msi" "$next" "$(cat /proc/sys/kernel/random/uuid)" files app.ico next.msi)
echo "installing the same programs as version $next"
check "quiet install of $next over $version" 0 "$(install "$staging/next.msi")"
check "installed programs entries after the upgrade" "$next" "$(uninstall_entries)"
check "the programs are still there" yes "$(exists "$folder/ZEMBSerConfig.exe")"
check "the folder once in the system PATH after the upgrade" 1 "$(system_path)"
downgrade=$(install "$msi")
check "$version refuses to install over $next" yes "$([[ $downgrade != 0 ]] && echo yes || echo no)"
check "installed programs entries after the refused downgrade" "$next" "$(uninstall_entries)"

echo "uninstalling"
rc=0
wine msiexec /x "$(winepath -w "$staging/next.msi")" /qn >/dev/null 2>&1 || rc=$?
check "quiet uninstall exit status" 0 "$rc"
for f in "${files[@]}"; do
  check "Program Files\\ZEMBSerConfig\\$f gone" yes "$(gone "$folder/$f")"
done
check "zembcfg off PATH after uninstalling" "not found 0" "$(on_path) $(system_path)"
check "Start-menu shortcut gone" yes "$([[ -z "$(shortcut)" ]] && echo yes || echo no)"
check "installed programs entries after uninstalling" none "$(uninstall_entries | sed 's/^$/none/')"
check "KELDORIX.INI kept unchanged" "$settings_sum" "$(sha256sum <"$settings" 2>/dev/null || true)"
check "registry values kept unchanged" "$registry" "$(wine reg query "$program_key" /s 2>/dev/null | tr -d '\r')"

checks_done
