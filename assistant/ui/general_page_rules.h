#pragma once

// The general page of the settings sheet as texts: what it shows from the
// settings, which of its numbers it refuses, and what it stores back.

#include <string>

#include "assistant/config/settings.h"

inline constexpr int kDensityInvalidText = 37;
inline constexpr int kFactorInvalidText = 38;

// The items of the language box, in order.
enum LanguageItem { kLanguageSimplified, kLanguageTraditional, kLanguageEnglish };

struct GeneralPageFields {
  std::string density;  // "%0.3f"
  std::string factor;   // "%0.3f"
  bool caseSensitive = false;
  int languageItem = kLanguageEnglish;
};

// The field that holds an unacceptable number.
enum class GeneralPageFault { kNone, kDensity, kFactor };

GeneralPageFields ShowGeneralSettings(const AssistantSettings& settings);

// 936 is the simplified item, 950 the traditional one, any other code page
// English; back, English is stored as 437.
int LanguageItemOfCodePage(int codePage);
int CodePageOfLanguageItem(int item);

// True when the C library reads `text` (a leading number, the rest ignored)
// as a number that the settings can hold and that is greater than 0.
bool IsPositiveSettingNumber(const std::string& text);

// The density first, then the factor.
GeneralPageFault FindGeneralPageFault(const GeneralPageFields& fields);

// The row of the message that names the fault.
int GeneralPageFaultText(GeneralPageFault fault);

void StoreGeneralSettings(const GeneralPageFields& fields, AssistantSettings& settings);
