#pragma once

// The second half of the demo: the installed assistant beside the
// spreadsheet stand-in. Specifications go into column B as a person would
// type them, and what the assistant wrote is printed.

#include <filesystem>
#include <functional>
#include <string>

namespace demo {

using PrintLine = std::function<void(const std::wstring&)>;

// Runs `installFolder`\Ostrevia.exe beside a freshly registered stand-in.
// Interactive: waits until the person closes the assistant. Otherwise types
// a set of specifications, prints the formulas, saves pictures under
// screenshots/demo and closes the assistant. False when something did not
// come up.
bool ShowAssistant(const std::filesystem::path& installFolder, bool interactive, const PrintLine& print);

}  // namespace demo
