#pragma once

// A property of a fuzz target that does not hold: it is named on the error
// output, then the run ends as a crash, which libFuzzer reports with the
// input that broke it.

#include <cstdio>
#include <cstdlib>

inline void FailIf(bool broken, const char* property) {
  if (!broken) return;
  std::fprintf(stderr, "fuzz target: broken: %s\n", property);
  std::abort();
}
