#pragma once

// Font arithmetic of the text label.

#include <cstddef>
#include <string_view>

// The face name slot holds 31 characters and a terminating zero.
inline constexpr std::size_t kLabelFaceNameLimit = 31;

// The font height (negative: character height without internal leading) of
// a font of `points` points on a device of `pixelsPerInch`, as a point font
// made in tenths of a point computes it, rounded to the nearest pixel.
int LabelFontHeight(int points, int pixelsPerInch);

// Escapement and orientation of a font rotated by `degrees`, in tenths of a
// degree.
inline constexpr int LabelRotationTenths(int degrees) { return degrees * 10; }

// How many UTF-16 units of `name` fit the face name slot without cutting a
// surrogate pair in two.
std::size_t LabelFaceNameLength(std::u16string_view name);
