#pragma once

// The BOM style page's fields as texts: how a style is shown, which column
// text the page refuses, and how the fields are stored into a style.

#include <string>

#include "assistant/config/settings.h"

inline constexpr int kInvalidColumnText = 69;
// The count and weight fields hold one column, or two joined by one of these.
inline constexpr const char* kColumnSeparators = ";,";
inline constexpr const char* kColumnJoiner = ";";
// Only this many bytes of the specification and length fields are used.
inline constexpr std::size_t kColumnFieldBytes = 8;
// A negative head-row count is stored as this.
inline constexpr int kFallbackHeadRows = 2;

struct BomStyleFields {
  std::string headRows;      // "%d"
  std::string material;      // specification column letters
  std::string count;         // face, or face;inverse
  std::string length;        // length column letters
  std::string weight;        // total, or single;total
  std::string templateFile;  // read-only
};

// The field that holds an unacceptable column.
enum class BomStyleField { kNone, kMaterial, kCount, kLength, kWeight };

struct BomStyleFault {
  BomStyleField field = BomStyleField::kNone;
  // The column text that is not valid, or the whole field when it does not
  // hold one or two columns.
  std::string text;
};

BomStyleFields ShowBomStyle(const AssistantSettings& settings, int style);

// The specification and length fields, then the count and weight fields;
// the first fault found.
BomStyleFault FindBomStyleFault(const BomStyleFields& fields);

// Message 69 of the active text table, quoting the fault's text.
std::string BomStyleFaultMessage(const BomStyleFault& fault);

// Stores fields that FindBomStyleFault accepted into `layout`; the column
// letters are regenerated from the numbers.
void StoreBomStyle(const BomStyleFields& fields, BomStyleLayout& layout);
