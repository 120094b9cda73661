#include "setup/wizard/header_band.h"

#include <algorithm>

namespace {

// Computed in floating point, truncated, limited to 255.
int ColorComponent(int x, double perColumn, int base) {
  return std::min(255, static_cast<int>(x * perColumn + base));
}

}  // namespace

BandColor HeaderBandColor(int x, int width) {
  return {ColorComponent(x, 255.0 / width * 2, 0), ColorComponent(x, 127.0 / width * 2, 128),
          ColorComponent(x, 191.0 / width * 2, 64)};
}
