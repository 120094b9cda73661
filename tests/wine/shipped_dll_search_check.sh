#!/bin/sh
# shipped_dll_search_check.sh OBJDUMP PROGRAM...: each program imports only
# KnownDLLs of Windows 10 and 11 (DLLs never taken from beside a program),
# and its load configuration carries the dependent-load flags 0x0800.
set -eu
objdump="$1"
shift
known=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt \
normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 "
status=0
for program in "$@"; do
  headers="$("$objdump" -p "$program")"
  dlls="$(echo "$headers" | awk '/DLL Name:/ { n = tolower($3); sub(/\.dll$/, "", n); print n }')"
  [ -n "$dlls" ] || { echo "$program: no import table read"; status=1; }
  for dll in $dlls; do
    case "$known" in *" $dll "*) ;; *) echo "$program imports $dll, which may come from beside it"; status=1 ;; esac
  done
  base="$(echo "$headers" | awk '$1 == "ImageBase" { print $2 }')"
  rva="$(echo "$headers" | awk '/Load Configuration Directory/ { print $3 }')"
  # The dependent-load flags: a little-endian word 0x36 bytes in.
  at=$((0x$base + 0x${rva:-0} + 0x36))
  flags="$("$objdump" -s --start-address=$at --stop-address=$((at + 2)) "$program" | awk '$1 ~ /^[0-9a-f]+$/ { w = $2 } END { print w }')"
  [ "$((0x${rva:-0}))" -ne 0 ] && [ "$flags" = "0008" ] || { echo "$program: dependent-load flags '$flags'"; status=1; }
  echo "$(basename "$program") imports" $dlls
done
exit $status
