#pragma once

// One registry key of the setup program: a root, a path under it and the open
// key. Every registry access of the setup program goes through this class.

#include <cstdint>
#include <string>

#include "setup/engine/registry_api.h"

class CRegistryKey {
 public:
  explicit CRegistryKey(RegistryApi& api) : m_api(api) {}
  ~CRegistryKey();
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // Path emptied, root HKEY_CURRENT_USER, lazy flush on; an open key stays.
  void Reset();
  // Accepts the four predefined roots only; the root also becomes the open
  // key (a key open before is closed), so that values at the root itself can
  // be read.
  bool SetRootKey(RegistryHandle root);
  void Close();
  // Closes the current key, then opens (or with `create`, creates) `path`
  // under the root. An empty path succeeds with no key open.
  bool Open(const std::string& path, bool create);
  // Opens subkey number `index` of this key in `child` (same root), its name
  // in `name`. False when there is no such subkey or it cannot be opened.
  bool EnumSubKey(std::uint32_t index, std::string* name, CRegistryKey* child);
  // Type of the named value, 0 when it cannot be read.
  std::uint32_t GetValueType(const std::string& name);
  // String values only (an expandable one unexpanded), at most 255 bytes;
  // `value` is left unchanged on any failure.
  bool ReadString(const std::string& name, std::string* value);
  // Refuses values of 255 bytes or more.
  bool WriteString(const std::string& name, const std::string& value);
  bool WriteDword(const std::string& name, std::uint32_t value);

  long LastError() const { return m_lastError; }
  RegistryHandle Root() const { return m_root; }
  RegistryHandle Key() const { return m_key; }
  const std::string& Path() const { return m_path; }
  void SetLazyFlush(bool lazy) { m_lazyFlush = lazy; }

 private:
  bool FinishWrite(long result);

  RegistryApi& m_api;
  long m_lastError = 0;
  RegistryHandle m_root = kHkeyCurrentUser;
  RegistryHandle m_key = 0;
  bool m_lazyFlush = true;
  std::string m_path;
};
