// ComputeUnitWeight against the shipped library: a row found early and late,
// a built-in shape that scans the whole library first, and a user formula.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

#include "assistant/engine/engine.h"
#include "assistant/texts/text_tables.h"

namespace {

class CStderrMessages : public MessagePort {
 public:
  void ShowError(std::string_view text, unsigned) override { std::cerr << text << "\n"; }
};

const MaterialLibrary& ShippedLibrary() {
  static const MaterialLibrary library = [] {
    SelectTextTable(437);
    MaterialLibrary loaded;
    CStderrMessages messages;
    if (LoadMaterialLibrary(loaded, ZM_SHIPPED_LIBRARY, messages) != ST_OK) std::abort();
    return loaded;
  }();
  return library;
}

void ComputeSpec(benchmark::State& state, const char* spec, int lookupMode) {
  const MaterialLibrary& library = ShippedLibrary();
  for (auto _ : state) {
    std::string working = spec;
    double weight = 0;
    int status = ComputeUnitWeight(library, working, weight, lookupMode, 1.0f, 7850.0f);
    if (status != ST_OK) state.SkipWithError("computation failed");
    benchmark::DoNotOptimize(weight);
  }
}

}  // namespace

BENCHMARK_CAPTURE(ComputeSpec, library_first_group, "H100X50X3.5X5", kLookupIgnoreCase);
BENCHMARK_CAPTURE(ComputeSpec, library_last_group, "2L200X125X18", kLookupIgnoreCase);
BENCHMARK_CAPTURE(ComputeSpec, library_exact, "2L200X125X18", kLookupExact);
BENCHMARK_CAPTURE(ComputeSpec, builtin_after_full_scan, "H300*200*6*8", kLookupIgnoreCase);
BENCHMARK_CAPTURE(ComputeSpec, tapered_after_full_scan, "H300~500*200*6*8", kLookupIgnoreCase);
BENCHMARK_CAPTURE(ComputeSpec, user_formula, "FG50*40*2", kLookupIgnoreCase);
