#include <shlobj.h>
#include <windows.h>

#include "base/code_page.h"
#include "setup/engine/win32_folder_security.h"
#include "setup/engine/win32_setup_adapters.h"

namespace {

// A folder named by the system, in the code page; false when some character
// has no place in it (the name would point elsewhere).
bool FromWide(const wchar_t* text, unsigned codePage, std::string* result) {
  bool lossless = false;
  std::string bytes = EncodeToCodePage(reinterpret_cast<const char16_t*>(text), codePage, &lossless);
  if (!lossless) return false;
  *result = bytes;
  return true;
}

}  // namespace

bool CWin32SystemFolders::MakePrivateTempFolder(std::string* folder) {
  std::wstring made = CreatePrivateTempFolder(L"ZMsetup");
  if (made.empty()) return false;
  if (FromWide(made.c_str(), m_codePage, folder)) return true;
  RemoveDirectoryW(made.c_str());
  return false;
}

bool CWin32SystemFolders::GetSystemFolder(std::string* folder) {
  wchar_t buffer[MAX_PATH];
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH && FromWide(buffer, m_codePage, folder);
}

bool CWin32SystemFolders::GetProgramsFolder(std::string* folder) {
  wchar_t buffer[MAX_PATH];
  return SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_PROGRAMS, FALSE) &&
         FromWide(buffer, m_codePage, folder);
}
