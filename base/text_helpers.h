#pragma once

// The assistant's shared text helpers. Texts are code-page bytes (GBK for
// specifications and the material library).

#include <span>
#include <string>
#include <string_view>

// Reads a decimal text: an optional sign, digits and at most one point. It
// stops at the first character that does not fit; a text without digits
// ("", "+", "-", ".") reads as 0.
double ParseNumber(std::string_view text);

// Cuts `text` at every occurrence of any byte of `separators`. Every piece is
// one field, trimmed of spaces, tabs, CR and LF at both ends; only the first
// fields.size() are stored, but the total count is returned. An empty text
// has no fields.
int SplitFields(std::string_view text, std::string_view separators, std::span<std::string> fields);

// Equality that ignores the case of ASCII letters. A GBK lead byte and its
// trail byte are compared exactly, so a trail byte is never folded.
bool CompareLibraryText(std::string_view a, std::string_view b);

// True when `text` begins with `prefix` under the rule of CompareLibraryText.
bool StartsWithLibraryText(std::string_view text, std::string_view prefix);

// Removes spaces, tabs, CR and LF at both ends.
std::string_view TrimBlanks(std::string_view text);
