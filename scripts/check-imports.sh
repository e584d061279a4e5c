#!/usr/bin/env bash
# Fails when a Windows build imports anything but Windows system DLLs.
#   scripts/check-imports.sh PROGRAM.exe
set -euo pipefail
exe=$1
objdump=x86_64-w64-mingw32-objdump
"$objdump" -f "$exe" | grep -q 'pei-i386' && objdump=i686-w64-mingw32-objdump
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|msvcrt|ntdll|ole32|shlwapi|imm32|uxtheme)\.dll$|^api-ms-win-'
echo "$exe imports:" $dlls
bad=$(echo "$dlls" | grep -Ev "$allowed" || true)
if [ -n "$bad" ]; then
  echo "not a Windows system DLL: $bad" >&2
  exit 1
fi
