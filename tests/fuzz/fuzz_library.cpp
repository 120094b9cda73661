#include <cstdint>
#include <string_view>

#include "assistant/engine/material_library.h"
#include "assistant/texts/text_tables.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SelectTextTable(437);
  MaterialLibrary library;
  ParseMaterialLibrary(library, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt");
  FailIf(library.formulas.size() > kMaxUserFormulas, "more user formulas than the library holds");
  for (const MaterialRow& row : library.rows) {
    FailIf(!(row.weight > 0) || row.spec.size() > kMaxSpecBytes,
           "a material row without a positive weight or with a too long specification");
  }
  return 0;
}
