#pragma once

// zmcalc --row: the calculation of one BOM row, as it would be written.

#include <optional>
#include <string>

#include "tools/zmcalc/zmcalc_app.h"

struct MaterialLibrary;

struct ZmcalcRowRequest {
  int row = 0;
  std::optional<int> style;        // overrides the settings' style
  std::optional<std::string> ini;  // UTF-8 path of a settings file
  std::optional<float> factor;     // override the settings
  std::optional<float> density;
  std::string spec;  // UTF-8
};

// Prints each cell the calculation wrote ("F5 =C5*38.500000/1000") or
// "FAIL", then "COLOR n" of the specification cell. Returns the exit status.
int RunRowCalculation(const ZmcalcRowRequest& request, const MaterialLibrary& library, ZmcalcOutput& output);
