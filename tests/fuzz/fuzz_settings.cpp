// The assistant's settings file over arbitrary bytes: every value read is
// one the program can use, and what it saves reads back unchanged, so that
// settings do not drift from one run of the program to the next.

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "assistant/config/column_reference.h"
#include "assistant/config/settings.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

void CheckColumn(const BomColumn& column) {
  FailIf(column.number < 0 || column.number > kMaxColumnNumber, "a column outside A to IV");
  FailIf(column.number > 0 && column.letters != ColumnLetters(column.number),
         "a column whose letters are not its number's");
}

void CheckUsable(const AssistantSettings& settings) {
  FailIf(!(std::isfinite(settings.density) && settings.density >= 0),
         "a density that is negative or no finite number");
  FailIf(!(std::isfinite(settings.factor) && settings.factor >= 0),
         "a factor that is negative or no finite number");
  FailIf(settings.caseSensitive < 0 || settings.language < 1, "a negative case setting or no language");
  FailIf(settings.style != 0 && settings.style != 1, "a style other than 0 or 1");
  for (const BomStyleLayout& layout : settings.layouts) {
    FailIf(layout.headRows < 0, "negative head rows");
    for (const BomColumn* column : {&layout.material, &layout.length, &layout.faceCount, &layout.inverseCount,
                                    &layout.singleWeight, &layout.totalWeight}) {
      CheckColumn(*column);
    }
  }
}

AssistantSettings SavedAndRead(AssistantSettings settings) {
  AssistantSettings read;
  ReadSettingsText(SettingsFileText(settings), read);
  return read;
}

bool SameSettings(const AssistantSettings& a, const AssistantSettings& b) {
  return a.density == b.density && a.factor == b.factor && a.keyTexts == b.keyTexts &&
         a.caseSensitive == b.caseSensitive && a.language == b.language && a.style == b.style;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  AssistantSettings settings;
  ReadSettingsText(std::string_view(reinterpret_cast<const char*>(data), size), settings);
  CheckUsable(settings);

  const AssistantSettings once = SavedAndRead(settings);
  CheckUsable(once);
  const AssistantSettings twice = SavedAndRead(once);
  FailIf(!SameSettings(once, twice), "saved settings read back differently");
  return 0;
}
