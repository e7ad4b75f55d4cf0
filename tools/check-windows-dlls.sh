#!/usr/bin/env bash
# Fails when a Windows program in the folder needs a DLL that Windows does not ship: every DLL
# that an .exe imports must be one of the system's own. Wine supplies more (zlib1.dll among
# them), so a test run under Wine cannot catch this.
#   check-windows-dlls.sh FOLDER
set -euo pipefail
allowed=" KERNEL32.DLL USER32.DLL GDI32.DLL COMCTL32.DLL COMDLG32.DLL SHELL32.DLL ADVAPI32.DLL OLE32.DLL OLEAUT32.DLL MSVCRT.DLL "
status=0
count=0
for exe in "${1:?usage: check-windows-dlls.sh FOLDER}"/*.exe; do
  [[ -e "$exe" ]] || continue
  count=$((count + 1))
  while read -r dll; do
    if [[ "$allowed" != *" ${dll^^} "* ]]; then
      echo "check-windows-dlls: $exe needs $dll, which Windows does not ship" >&2
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }')
done
if ((count == 0)); then
  echo "check-windows-dlls: no .exe in $1" >&2
  exit 1
fi
exit $status
