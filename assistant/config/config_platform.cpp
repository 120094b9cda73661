#include "assistant/config/config_platform.h"

#include "base/code_page.h"

unsigned OemCodePageFromLocale(std::string_view localeName) {
  std::string_view region = localeName.substr(0, localeName.find_first_of(".@"));
  if (region == "zh_CN" || region == "zh_SG") return kCodePageGbk;
  if (region == "zh_TW" || region == "zh_HK") return kCodePageBig5;
  return kCodePageUsAscii;
}
