#pragma once

// The uninstaller's texts by number, as the log's A rows give them. A number
// the log lacks (a log cut short by a failed installation) falls back to the
// English text the installer would have written.

#include <map>
#include <string>
#include <string_view>

class CUninstallMessages {
 public:
  // The first row of a number counts; later duplicates are ignored.
  void Set(int number, std::string text);
  bool HasOwn(int number) const { return m_rows.contains(number); }
  // The log's text, else the English fallback, else an empty text.
  std::string Text(int number) const;
  // Text(number) with its first "%s" replaced by `argument`.
  std::string Format(int number, std::string_view argument) const;

 private:
  std::map<int, std::string> m_rows;
};

// The English text of row `number`, empty for a number no installer writes.
std::string_view FallbackUninstallMessage(int number);

// Row numbers the uninstaller uses.
inline constexpr int kMsgProductName = 10;
inline constexpr int kMsgRemovingFiles = 42;
inline constexpr int kMsgRemovingKeys = 54;
inline constexpr int kMsgWaiting = 58;
inline constexpr int kMsgConfirm = 43;
inline constexpr int kMsgRemovedAfterRestart = 47;
inline constexpr int kMsgCaption = 48;
inline constexpr int kMsgCannotProcess = 49;
inline constexpr int kMsgSucceeded = 50;
inline constexpr int kMsgCannotRemoveRetry = 52;
inline constexpr int kMsgKeptFiles = 53;
