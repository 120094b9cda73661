#pragma once

// The weight per metre of one material specification.

#include <string>

struct MaterialLibrary;

// Lookup modes: exact byte comparison with the library rows, comparison that
// ignores the case of ASCII letters, or no library lookup.
inline constexpr int kLookupExact = 1;
inline constexpr int kLookupIgnoreCase = 0;
inline constexpr int kLookupNone = -1;

// Computes the unit weight of `spec` in kg/m (dimensions in mm) into `weight`:
// a library row, else a user formula, else a built-in shape (plate "-b*t",
// tube "Dd*t", H-section "Hh*b*tw*tf", C-section "Ch*b*c*t", bar "φd"). The
// CAD notation "%%C" of a tube is the row calculation's to translate. Tapered dimensions "a~b" are rewritten
// in `spec` to their mean. `lookupMode` > 0 matches rows exactly, 0 ignoring ASCII case, < 0 skips the
// library. Returns ST_OK or ST_FAIL; `weight` means something only with ST_OK.
int ComputeUnitWeight(const MaterialLibrary& library, std::string& spec, double& weight, int lookupMode,
                      float factor, float density);

// Replaces each "a~b" of `spec` by the mean of a and b ("%0.4f"), from left to
// right; stops, leaving the text as far as it got, at a "~" it cannot read.
void RewriteTaperedDimensions(std::string& spec);
