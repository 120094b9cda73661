#include "assistant/config/column_reference.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int NumberFromDigits(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value >= 1 && value <= kMaxColumnNumber ? value : 0;
}

int NumberFromLetters(std::string_view text) {
  int value = 0;
  for (char c : text) {
    char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') return 0;
    value = value * 26 + (upper - 'A' + 1);
  }
  return value <= kMaxColumnNumber ? value : 0;
}

}  // namespace

int ColumnNumberFromText(std::string_view text) {
  if (text.empty() || text.size() >= 4) return 0;
  bool allDigits = true;
  for (char c : text) allDigits = allDigits && IsDigit(c);
  return allDigits ? NumberFromDigits(text) : NumberFromLetters(text);
}

void ColumnLetters(int number, std::string& letters) {
  if (number < 1 || number > kMaxColumnNumber) return;
  int index = number - 1;
  letters.clear();
  if (index >= 26) letters += static_cast<char>('A' + index / 26 - 1);
  letters += static_cast<char>('A' + index % 26);
}

std::string ColumnLetters(int number) {
  std::string letters;
  ColumnLetters(number, letters);
  return letters;
}
