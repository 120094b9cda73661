#pragma once

// The header band of the pages runs from green at its left edge to white at
// half its width; the colour of column `x` of a band `width` pixels wide.
struct BandColor {
  int red;
  int green;
  int blue;
};
BandColor HeaderBandColor(int x, int width);
