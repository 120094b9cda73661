#include "assistant/ui/general_page_rules.h"

#include <cmath>
#include <cstdlib>

#include "base/format_text.h"

namespace {

constexpr int kCodePageSimplified = 936;
constexpr int kCodePageTraditional = 950;
constexpr int kCodePageEnglish = 437;

float ReadSettingNumber(const std::string& text) {
  return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

}  // namespace

GeneralPageFields ShowGeneralSettings(const AssistantSettings& settings) {
  GeneralPageFields fields;
  fields.density = FormatText("%0.3f", static_cast<double>(settings.density));
  fields.factor = FormatText("%0.3f", static_cast<double>(settings.factor));
  fields.caseSensitive = settings.caseSensitive > 0;
  fields.languageItem = LanguageItemOfCodePage(settings.language);
  return fields;
}

int LanguageItemOfCodePage(int codePage) {
  if (codePage == kCodePageSimplified) return kLanguageSimplified;
  if (codePage == kCodePageTraditional) return kLanguageTraditional;
  return kLanguageEnglish;
}

int CodePageOfLanguageItem(int item) {
  if (item == kLanguageSimplified) return kCodePageSimplified;
  if (item == kLanguageTraditional) return kCodePageTraditional;
  return kCodePageEnglish;
}

bool IsPositiveSettingNumber(const std::string& text) {
  // The settings keep a float: "1e39" would become infinite and "1e-46"
  // zero, and every weight computed with them would be meaningless.
  float value = ReadSettingNumber(text);
  return std::isfinite(value) && value > 0;
}

GeneralPageFault FindGeneralPageFault(const GeneralPageFields& fields) {
  if (!IsPositiveSettingNumber(fields.density)) return GeneralPageFault::kDensity;
  if (!IsPositiveSettingNumber(fields.factor)) return GeneralPageFault::kFactor;
  return GeneralPageFault::kNone;
}

int GeneralPageFaultText(GeneralPageFault fault) {
  return fault == GeneralPageFault::kFactor ? kFactorInvalidText : kDensityInvalidText;
}

void StoreGeneralSettings(const GeneralPageFields& fields, AssistantSettings& settings) {
  settings.density = ReadSettingNumber(fields.density);
  settings.factor = ReadSettingNumber(fields.factor);
  settings.caseSensitive = fields.caseSensitive ? 1 : 0;
  settings.language = CodePageOfLanguageItem(fields.languageItem);
}
