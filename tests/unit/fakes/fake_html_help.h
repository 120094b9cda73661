#pragma once

// The help ports in memory: a platform whose registry value, loadable
// libraries and exports a test sets, logging every step it is asked for;
// and a host with a fixed program folder that keeps the messages shown.

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "assistant/ui/help_access.h"
#include "assistant/ui/html_help_binding.h"

class CFakeHtmlHelpPlatform : public HtmlHelpPlatform {
 public:
  struct EntryCall {
    WindowHandle caller;
    std::string path;
    unsigned command;
    std::uintptr_t data;
  };

  bool ReadClassesRootDefault(std::u16string_view subkey, std::u16string& value) override {
    steps.push_back("registry " + Ascii(subkey));
    if (!registeredServer) return false;
    value = *registeredServer;
    return true;
  }
  LibraryHandle OpenLibrary(std::u16string_view pathOrName) override {
    steps.push_back("open " + Ascii(pathOrName));
    auto found = libraries.find(std::u16string(pathOrName));
    return found == libraries.end() ? 0 : found->second;
  }
  EntryAddress FindExport(LibraryHandle library, int ordinal) override {
    steps.push_back("export " + std::to_string(ordinal));
    auto found = exports.find({library, ordinal});
    return found == exports.end() ? 0 : found->second;
  }
  WindowHandle CallHelpEntry(EntryAddress entry, WindowHandle caller, const std::string& path,
                             unsigned command, std::uintptr_t data) override {
    steps.push_back("call " + std::to_string(entry));
    calls.push_back({caller, path, command, data});
    return viewer;
  }

  // Loadable libraries: one at a path and the control by name.
  void InstallControl(const std::u16string& pathOrName, LibraryHandle library, EntryAddress entry) {
    libraries[pathOrName] = library;
    exports[{library, kHtmlHelpEntryOrdinal}] = entry;
  }

  std::optional<std::u16string> registeredServer;  // none: key or value missing
  std::map<std::u16string, LibraryHandle> libraries;
  std::map<std::pair<LibraryHandle, int>, EntryAddress> exports;
  WindowHandle viewer = 0;  // what the help entry returns
  std::vector<std::string> steps;
  std::vector<EntryCall> calls;

 private:
  static std::string Ascii(std::u16string_view text) { return std::string(text.begin(), text.end()); }
};

class CFakeHelpHost : public HelpHost {
 public:
  struct Message {
    WindowHandle owner;
    std::string text;
    unsigned codePage;
  };

  std::string ProgramFolder() override { return folder; }
  void ShowStopMessage(WindowHandle owner, std::string_view text, unsigned codePage) override {
    messages.push_back({owner, std::string(text), codePage});
  }

  std::string folder = "C:\\Program Files\\Zelmorant10.1\\";
  std::vector<Message> messages;
};
