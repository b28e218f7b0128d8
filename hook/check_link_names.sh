#!/usr/bin/env bash
# Checks the names by which Tav.exe and Tav.dll meet, from their PE tables
# (objdump -p), so that it holds for the i686 build also where it cannot run.
#
#   check_link_names.sh exports OBJDUMP Tav.dll
#       the export table names exactly SetHook, FreeHook, SetKey,
#       SetForeground, SetCaptureKey, DeliverHeldKeys and the test seam
#       TestSeamDropHook, undecorated
#   check_link_names.sh imports OBJDUMP PROGRAM.exe
#       the program imports exactly those names but the test seam; exits 77
#       (skipped) when it imports nothing from Tav.dll at all
set -euo pipefail
what=$1 objdump=$2 file=$3
expected=$'DeliverHeldKeys\nFreeHook\nSetCaptureKey\nSetForeground\nSetHook\nSetKey\nTestSeamDropHook'

table=$("$objdump" -p "$file")
case $what in
  exports)
    # Lines "[   0] FreeHook" between the table's heading and a blank line.
    names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" |
            sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] //p' | sort) ;;
  imports)
    # The block after "DLL Name: Tav.dll": "  vma  hint  name" lines.
    block=$(sed -n '/DLL Name: Tav\.dll$/,/^$/p' <<<"$table")
    if [ -z "$block" ]; then
      echo "$file imports nothing from Tav.dll"
      exit 77
    fi
    names=$(tail -n +3 <<<"$block" | awk 'NF >= 3 { print $3 }' | sort)
    expected=$(grep -v '^TestSeam' <<<"$expected") ;;
  *) echo "usage: $0 exports|imports OBJDUMP FILE" >&2; exit 2 ;;
esac

if [ "$names" != "$expected" ]; then
  echo "$file: $what of Tav.dll are"
  echo "${names:-(none)}"
  echo "expected"
  echo "$expected"
  exit 1
fi
echo "$file: $what of Tav.dll: $(echo $names)"
