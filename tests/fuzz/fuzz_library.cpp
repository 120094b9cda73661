#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "assistant/engine/material_library.h"
#include "assistant/texts/text_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SelectTextTable(437);
  MaterialLibrary library;
  ParseMaterialLibrary(library, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt");
  if (library.formulas.size() > kMaxUserFormulas) std::abort();
  for (const MaterialRow& row : library.rows) {
    if (!(row.weight > 0) || row.spec.size() > kMaxSpecBytes) std::abort();
  }
  return 0;
}
