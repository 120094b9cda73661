#pragma once

// Helpers of the tests over the in-memory workbook.

#include <string>
#include <string_view>

#include "base/code_page.h"

// Readable test messages for UTF-16 texts.
inline std::string Utf8Of(std::u16string_view text) { return EncodeToCodePage(text, kCodePageUtf8); }
