# cmake -DINPUT=FILE -DOUTPUT=FILE -P EscapeMultibyte.cmake
#
# Rewrites a C++ source whose texts are in a double-byte code page (GBK or
# Big5) so that every double-byte character becomes two "\x" escapes. The
# result is plain ASCII that any compiler reads, and a trail byte that happens
# to be a backslash or quote can no longer end an escape or a string. Each
# pair is followed by "" so that a digit after it is not taken into the escape.

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
set(text "")
set(i 0)
while(i LESS length)
  string(SUBSTRING "${hex}" ${i} 2 byte)
  math(EXPR code "0x${byte}")
  if(code GREATER_EQUAL 129 AND code LESS_EQUAL 254)
    math(EXPR next "${i} + 2")
    string(SUBSTRING "${hex}" ${next} 2 trail)
    string(APPEND text "\\x${byte}\\x${trail}\"\"")
    math(EXPR i "${i} + 4")
  else()
    string(ASCII ${code} character)
    string(APPEND text "${character}")
    math(EXPR i "${i} + 2")
  endif()
endwhile()
file(WRITE "${OUTPUT}" "${text}")
