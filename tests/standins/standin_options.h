#pragma once

// The stand-in's command line.
//   /regserver [/unlisted]  register (the server then runs with /unlisted)
//   /unregserver            remove the registration
//   -Embedding              started by COM for a client
//   /unlisted               new, unsaved workbooks stay out of the running object table

#include <string>

inline constexpr const wchar_t* kStandinProgId = L"Excel.Application";

struct StandinOptions {
  bool registerServer = false;
  bool unregisterServer = false;
  bool embedding = false;
  bool listUnsaved = true;
};

StandinOptions ParseStandinOptions(const std::wstring& commandLine);
