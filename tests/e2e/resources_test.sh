#!/usr/bin/env bash
# The resources that every program of ours carries (resources/tessivo.rc), read back from the
# built .exe the way Windows reads them: the version block with its Chinese texts, icon 1 with
# its eight sizes, and the manifest that asks for version 6 of the common controls.
#
#   resources_test.sh [EMULATOR...] -- WININSPECT.exe PROGRAM.exe...

# shellcheck source=e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
((${#e2e_args[@]})) || { echo "resources_test: no program to check" >&2; exit 2; }

# Version block strings: name and exact value.
strings=(
  $'CompanyName\tTessivo'
  $'FileDescription\tTessivo时间同步器：从网络服务器校准本机时间'
  $'FileVersion\t2.1.0.0'
  $'InternalName\tTessivoTimeSync'
  $'LegalCopyright\t版权所有 © 2026 Tessivo'
  $'OriginalFilename\tTessivoTimeSync.exe'
  $'ProductName\tTessivo时间同步器V2'
  $'ProductVersion\t2.1.0.0'
)
icon_sizes=$'16x16x32\t20x20x32\t24x24x32\t32x32x32\t40x40x32\t48x48x32\t64x64x32\t128x128x32'

# What the manifest must say, and the elements and values it must not have: each would change
# how the program behaves (scaling, compatibility mode, elevation).
manifest_has=(
  'name="Microsoft.Windows.Common-Controls"'
  'version="6.0.0.0"'
  'publicKeyToken="6595b64144ccf1df"'
  'level="asInvoker"'
)
manifest_lacks=('<dpiAware' '<supportedOS' '<gdiScaling' '<longPathAware' '"requireAdministrator"'
  '"highestAvailable"')

e2e_prepare_wine

for program in "${e2e_args[@]}"; do
  name=$(basename "$program")
  echo "--- $name"
  if [[ ! -f $program ]]; then
    check "$name: built" "missing" "present"
    continue
  fi
  report=$(inspect resources "$(windows_path "$program")")
  check "$name: fixed file and product versions" "$(field "$(record "$report" fixed 1 fixed)" 2-3)" $'2.1.0.0\t2.1.0.0'
  check "$name: one translation, Simplified Chinese in Unicode" \
    "$(grep $'^translation\t' <<<"$report")" $'translation\t0804\t04B0'
  for row in "${strings[@]}"; do
    key=${row%%$'\t'*}
    check "$name: $key" "$(field "$(record "$report" string 3 "$key")" 4)" "${row#*$'\t'}"
  done
  # The first icon group is the one Explorer shows for the program.
  first_icon=$(grep -m1 $'^icon\t' <<<"$report")
  check "$name: the first icon group is 1" "$(field "$first_icon" 2)" 1
  check "$name: icon 1 has eight sizes from 16 to 128, 32 bits each" "$(field "$first_icon" 3-)" "$icon_sizes"
  manifest=$(record "$report" manifest 2 1)
  check "$name: manifest 1 is there" "$(field "$manifest" 1)" manifest
  for part in "${manifest_has[@]}"; do
    check_contains "$name: the manifest says $part" "$manifest" "$part"
  done
  for part in "${manifest_lacks[@]}"; do
    check "$name: the manifest does not mention $part" "$(grep -c -- "$part" <<<"$manifest")" 0
  done
done

e2e_finish
