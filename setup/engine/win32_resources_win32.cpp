#include <windows.h>

#include "setup/engine/win32_setup_adapters.h"

bool CWin32Resources::LoadFileResource(int id, std::string_view* bytes) {
  HMODULE module = m_module ? static_cast<HMODULE>(m_module) : GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(id), L"FILE");
  if (!resource) return false;
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return false;
  *bytes = std::string_view(static_cast<const char*>(data), SizeofResource(module, resource));
  return true;
}

void CWin32Pacer::Pause(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }
