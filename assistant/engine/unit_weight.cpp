#include "assistant/engine/unit_weight.h"

#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

#include "assistant/engine/material_library.h"
#include "assistant/engine/user_formula.h"
#include "base/format_text.h"
#include "base/status.h"
#include "base/text_helpers.h"

namespace {

constexpr std::string_view kBarSign = "\xA6\xD5";  // "φ" in GBK

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A sign, then digits with at most one point; no exponent, no inner blanks.
bool IsValidDimension(std::string_view field) {
  if (field.empty()) return false;
  if (field.front() == '+' || field.front() == '-') field.remove_prefix(1);
  bool seenPoint = false;
  for (char c : field) {
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (!IsDigit(c)) {
      return false;
    }
  }
  return true;
}

// Splits `dimensions` into exactly values.size() valid numbers.
bool ReadDimensions(std::string_view dimensions, std::span<double> values) {
  std::array<std::string, 4> fields;
  if (SplitFields(dimensions, kDimensionSeparators, fields) != static_cast<int>(values.size())) {
    return false;
  }
  for (size_t i = 0; i < values.size(); ++i) {
    if (!IsValidDimension(fields[i])) return false;
    values[i] = ParseNumber(fields[i]);
  }
  return true;
}

double RoundToFloat(double value) { return static_cast<double>(static_cast<float>(value)); }

// A digits-and-one-point number that ends where `text` ends.
std::string_view TrailingNumber(std::string_view text) {
  size_t start = text.size();
  bool seenPoint = false;
  while (start > 0) {
    char c = text[start - 1];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (!IsDigit(c)) {
      break;
    }
    --start;
  }
  return text.substr(start);
}

// A digits-and-one-point number that begins where `text` begins.
std::string_view LeadingNumber(std::string_view text) {
  size_t end = 0;
  bool seenPoint = false;
  for (; end < text.size(); ++end) {
    char c = text[end];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (!IsDigit(c)) {
      break;
    }
  }
  return text.substr(0, end);
}

// One "a~b" at the first "~"; false when it cannot be read.
bool RewriteFirstTaper(std::string& spec) {
  size_t tilde = spec.find('~');
  std::string_view text = spec;
  std::string_view left = text.substr(0, tilde);
  std::string_view right = text.substr(tilde + 1);
  if (left.empty() || right.empty() || !IsDigit(left.back()) || !IsDigit(right.front())) return false;
  std::string from(TrailingNumber(left));
  std::string to(LeadingNumber(right));
  std::string mean = FormatText("%0.4f", (ParseNumber(from) + ParseNumber(to)) * 0.5);
  std::string taper = from + "~" + to;
  size_t at = spec.find(taper);
  if (at == std::string::npos) return false;
  spec.replace(at, taper.size(), mean);
  return true;
}

std::optional<double> LookUpLibrary(const MaterialLibrary& library, const std::string& spec, int lookupMode) {
  for (const MaterialRow& row : library.rows) {
    bool match = lookupMode > 0 ? row.spec == spec : CompareLibraryText(row.spec, spec);
    if (match) return row.weight;
  }
  return std::nullopt;
}

int StatusOfWeight(double weight) { return weight > 0 && std::isfinite(weight) ? ST_OK : ST_FAIL; }

int ComputeBuiltInShape(const std::string& spec, double& weight, double factor, double density) {
  std::string_view text = spec;
  if (text.empty()) return ST_FAIL;
  const char first = text.front();
  std::array<double, 4> d{};

  if (first == '-') {
    if (!ReadDimensions(text.substr(1), std::span(d).first(2))) return ST_FAIL;
    weight = d[0] * d[1] * factor * density * 1e-6;
    return StatusOfWeight(weight);
  }
  if (first == 'D' || first == 'd') {
    if (!ReadDimensions(text.substr(1), std::span(d).first(2))) return ST_FAIL;
    double outer = RoundToFloat(d[0]);
    double inner = outer * 0.5 - d[1];
    weight = (outer * outer * 0.25 - inner * inner) * factor * density * 3.14e-6;
    return StatusOfWeight(weight);
  }
  if ((first == 'H' || first == 'h') && text.size() > 1 && IsDigit(text[1])) {
    if (!ReadDimensions(text.substr(1), d)) return ST_FAIL;
    double height = RoundToFloat(d[0]), width = RoundToFloat(d[1]), web = RoundToFloat(d[2]);
    double flange = d[3];
    weight = ((height - 2 * flange) * web + 2 * width * flange) * factor * density * 1e-6;
    return StatusOfWeight(weight);
  }
  if (first == 'C' || first == 'c') {
    if (!ReadDimensions(text.substr(1), d)) return ST_FAIL;
    double height = RoundToFloat(d[0]), width = RoundToFloat(d[1]), lip = RoundToFloat(d[2]);
    double t = d[3];
    weight = t * (height + 2 * (width - t) + 2 * (lip - t)) * factor * density * 1e-6;
    return StatusOfWeight(weight);
  }
  if (text.starts_with(kBarSign) && text.size() >= 3) {
    std::string_view diameterText = text.substr(kBarSign.size());
    if (!IsValidDimension(diameterText)) return ST_FAIL;
    double diameter = ParseNumber(diameterText);
    if (diameter <= 0) return ST_FAIL;
    weight = diameter * diameter * factor * density * 7.8539815e-7;
    return StatusOfWeight(weight);
  }
  return ST_FAIL;
}

}  // namespace

void RewriteTaperedDimensions(std::string& spec) {
  while (spec.find('~') != std::string::npos) {
    if (!RewriteFirstTaper(spec)) return;
  }
}

int ComputeUnitWeight(const MaterialLibrary& library, std::string& spec, double& weight, int lookupMode,
                      float factor, float density) {
  if (lookupMode >= 0) {
    if (std::optional<double> rowWeight = LookUpLibrary(library, spec, lookupMode)) {
      weight = *rowWeight * static_cast<double>(factor);
      return ST_OK;
    }
  }

  RewriteTaperedDimensions(spec);

  for (size_t i = 0; i < library.formulas.size(); ++i) {
    if (!StartsWithLibraryText(spec, library.formulas[i].prefix)) continue;
    double value = 0;
    std::string errorText;
    if (!EvaluateUserFormula(library, static_cast<int>(i), spec, value, errorText)) return ST_FAIL;
    weight = value * static_cast<double>(factor);
    return StatusOfWeight(weight);
  }

  return ComputeBuiltInShape(spec, weight, factor, density);
}
