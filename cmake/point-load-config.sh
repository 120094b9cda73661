#!/bin/sh
# Points the load-configuration directory of a 32-bit Windows image at its
# object `_load_config_used` (winfx/dll_search_win32.cpp): this version of
# the GNU linker keeps the object but leaves the directory empty.
#
#   point-load-config.sh NM OBJDUMP IMAGE
set -eu
nm="$1" objdump="$2" image="$3"

address="$("$nm" "$image" | awk '$3 == "__load_config_used" { print $1 }')"
base="$("$objdump" -p "$image" | awk '$1 == "ImageBase" { print $2 }')"
[ -n "$address" ] && [ -n "$base" ] || { echo "$image: no load configuration object" >&2; exit 1; }
rva=$((0x$address - 0x$base))
# The PE header's offset is at 0x3C; its optional header begins 24 bytes
# after it, and the data directories of a PE32 image 96 bytes into that, 8
# bytes each, the load configuration being the eleventh.
header=$(od -An -tu4 -j60 -N4 "$image" | tr -d ' ')
entry=$((header + 24 + 96 + 10 * 8))
# 64 bytes: the size that 32-bit images give this directory.
size=64

little_endian() {
  printf '\\%03o\\%03o\\%03o\\%03o' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255))
}
printf "$(little_endian $rva)$(little_endian $size)" | dd of="$image" bs=1 seek="$entry" conv=notrunc status=none
