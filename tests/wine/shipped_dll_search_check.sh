#!/bin/sh
# The shipped programs load nothing from beside themselves before their
# first act: their import tables name only DLLs that Windows always takes
# from the system folder (its KnownDLLs, as Windows 10 and 11 list them),
# and their load configuration carries the dependent-load flags that keep
# the imports of those DLLs in the system folder (0x0800).
#
#   shipped_dll_search_check.sh OBJDUMP PROGRAM...
set -eu
objdump="$1"
shift
known=" advapi32.dll clbcatq.dll combase.dll comdlg32.dll coml2.dll difxapi.dll gdi32.dll gdiplus.dll "
known="$known imagehlp.dll imm32.dll kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll "
known="$known oleaut32.dll psapi.dll rpcrt4.dll sechost.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll "
known="$known user32.dll wldap32.dll ws2_32.dll "
status=0
for program in "$@"; do
  name="$(basename "$program")"
  headers="$("$objdump" -p "$program")"
  dlls="$(echo "$headers" | awk '/DLL Name:/ { print tolower($3) }')"
  [ -n "$dlls" ] || { echo "$name: no import table read"; status=1; }
  for dll in $dlls; do
    case "$known" in
      *" $dll "*) ;;
      *) echo "$name imports $dll, which Windows may take from beside the program"; status=1 ;;
    esac
  done
  base="$(echo "$headers" | awk '$1 == "ImageBase" { print $2 }')"
  rva="$(echo "$headers" | awk '/Load Configuration Directory/ { print $3 }')"
  if [ -z "$rva" ] || [ "$((0x$rva))" -eq 0 ]; then
    echo "$name has no load configuration"
    status=1
    continue
  fi
  # The dependent-load flags: a little-endian word 0x36 bytes in.
  at=$((0x$base + 0x$rva + 0x36))
  word="$("$objdump" -s --start-address=$at --stop-address=$((at + 2)) "$program" | awk 'NF >= 2 && $1 ~ /^[0-9a-f]+$/ { w = $2 } END { print w }')"
  if [ "$word" != "0008" ]; then
    echo "$name: dependent-load flags are '$word', not 0x0800"
    status=1
  fi
  echo "$name: imports" $dlls
done
exit $status
