#include <cmath>
#include <cstdint>
#include <string>

#include "assistant/engine/material_library.h"
#include "assistant/engine/unit_weight.h"
#include "assistant/texts/text_tables.h"
#include "base/status.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const MaterialLibrary library = [] {
    SelectTextTable(437);
    MaterialLibrary built;
    ParseMaterialLibrary(built,
                         "[FORMULA START]\nGXH*B GX H*B*7850*1E-6\n"
                         "FGB*H*t FG (B*H-(B-2*t)*(H-2*t))*7850*1E-6\nSNa SN SIN(a)^a\n[FORMULA END]\n"
                         "L20X3 0.889\n",
                         "fuzz.txt");
    return built;
  }();
  std::string spec(reinterpret_cast<const char*>(data), size);
  double weight = 0;
  int status = ComputeUnitWeight(library, spec, weight, 0, 1.0f, 7850.0f);
  FailIf(status == ST_OK && !(std::isfinite(weight) && weight > 0),
         "a computed weight that is not a positive finite number");
  return 0;
}
