#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <windows.h>

#include "base/code_page.h"
#include "setup/engine/win32_setup_adapters.h"

namespace {

// Releases a COM interface when it goes.
template <typename Interface>
class CComRef {
 public:
  CComRef() = default;
  ~CComRef() {
    if (m_pointer) m_pointer->Release();
  }
  CComRef(const CComRef&) = delete;
  CComRef& operator=(const CComRef&) = delete;

  Interface* operator->() const { return m_pointer; }
  void** Out() { return reinterpret_cast<void**>(&m_pointer); }

 private:
  Interface* m_pointer = nullptr;
};

}  // namespace

bool CWin32ShellLinks::CreateShellLink(const std::string& target, const std::string& linkPath) {
  // Declared in this order, the persist-file interface is released first.
  CComRef<IShellLinkW> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Out()))) {
    return false;
  }
  link->SetPath(DecodeToWide(target, m_codePage).c_str());
  CComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return false;
  return SUCCEEDED(file->Save(DecodeToWide(linkPath, m_codePage).c_str(), TRUE));
}
