#pragma once

// The registry port over the real Win32 registry (wide-character API, the
// 32-bit view in every build); texts
// are converted from and to the code page given.

#include "setup/engine/registry_api.h"

class Win32Registry : public RegistryApi {
 public:
  explicit Win32Registry(unsigned codePage) : m_codePage(codePage) {}

  long OpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) override;
  long CreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) override;
  long CloseKey(RegistryHandle key) override;
  long EnumKey(RegistryHandle key, std::uint32_t index, std::string* name) override;
  long QueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type, std::string* data,
                  std::size_t capacity) override;
  long SetValue(RegistryHandle key, const std::string& name, std::uint32_t type,
                const std::string& data) override;
  long FlushKey(RegistryHandle key) override;
  long DeleteKey(RegistryHandle parent, const std::string& path) override;
  long DeleteTree(RegistryHandle parent, const std::string& path) override;
  long DeleteValue(RegistryHandle key, const std::string& name) override;

 private:
  unsigned m_codePage;
};
