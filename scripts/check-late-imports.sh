#!/usr/bin/env bash
# Checks that a program imports none of the given modules: those are bound
# at their first use (src/base/late_import.h), because every imported module
# is loaded before WinMain runs and delays the tray icon.  Reads the import
# table with the tree's objdump, so it holds for the i686 build too.
#
#   check-late-imports.sh OBJDUMP PROGRAM.exe MODULE.dll...
set -euo pipefail
objdump=$1 file=$2
shift 2
imported=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
status=0
for module in "$@"; do
  if grep -qix "$module" <<<"$imported"; then
    echo "$file imports $module: call its functions through LateImport"
    status=1
  fi
done
[ $status -ne 0 ] || echo "$file imports none of: $*"
exit $status
