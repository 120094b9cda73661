#pragma once

// Output of the command-line tools on Windows (Windows build only): a console
// gets UTF-16 text through the console API, a pipe or a file gets the UTF-8
// bytes.

#include <string>

enum class ConsoleStream { kOutput, kError };

void WriteConsoleText(ConsoleStream stream, const std::string& utf8);
