#pragma once

// Where the settings sheet puts its OK and Cancel buttons: OK's right edge
// one twentieth of the sheet's width inside the sheet's right edge, Cancel
// just left of it with OK's width. Coordinates are the sheet's client
// pixels.

struct ButtonBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  bool operator==(const ButtonBox&) const = default;
};

struct OkCancelPlaces {
  ButtonBox ok;
  ButtonBox cancel;
};

inline constexpr int kOkCancelGap = 6;

// Both buttons keep their own top and bottom.
OkCancelPlaces PlaceOkCancel(int sheetWidth, const ButtonBox& ok, const ButtonBox& cancel);
