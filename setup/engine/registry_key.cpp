#include "setup/engine/registry_key.h"

namespace {

// Bytes of the local buffer that ReadString reads into.
constexpr std::size_t kStringBufferBytes = 255;
// WriteString refuses values this long or longer.
constexpr std::size_t kLongestStringRefused = 255;

bool IsPredefinedRoot(RegistryHandle root) {
  return root == kHkeyClassesRoot || root == kHkeyCurrentUser || root == kHkeyLocalMachine ||
         root == kHkeyUsers;
}

}  // namespace

CRegistryKey::~CRegistryKey() {
  Reset();
  if (m_key != 0) Close();
}

void CRegistryKey::Reset() {
  m_path.clear();
  m_root = kHkeyCurrentUser;
  m_lazyFlush = true;
}

bool CRegistryKey::SetRootKey(RegistryHandle root) {
  if (!IsPredefinedRoot(root)) return false;
  // The open key would otherwise be lost without being closed.
  Close();
  m_root = root;
  m_key = root;
  return true;
}

void CRegistryKey::Close() {
  if (m_key != 0) m_api.CloseKey(m_key);
  m_key = 0;
}

bool CRegistryKey::Open(const std::string& path, bool create) {
  Close();
  if (path.empty()) {
    m_path.clear();
    return true;
  }
  RegistryHandle key = 0;
  long result = create ? m_api.CreateKey(m_root, path, &key) : m_api.OpenKey(m_root, path, &key);
  if (!create) m_lastError = result;
  if (result != kRegistrySuccess) return false;
  m_path = path;
  m_key = key;
  return true;
}

bool CRegistryKey::EnumSubKey(std::uint32_t index, std::string* name, CRegistryKey* child) {
  std::string found;
  m_lastError = m_api.EnumKey(m_key, index, &found);
  if (m_lastError != kRegistrySuccess) return false;
  *name = found;
  child->SetRootKey(m_root);
  return child->Open(m_path + "\\" + found, false);
}

std::uint32_t CRegistryKey::GetValueType(const std::string& name) {
  std::uint32_t type = kRegNone;
  m_lastError = m_api.QueryValue(m_key, name, &type, nullptr, 0);
  return m_lastError == kRegistrySuccess ? type : kRegNone;
}

bool CRegistryKey::ReadString(const std::string& name, std::string* value) {
  std::uint32_t type = GetValueType(name);
  if (type != kRegSz && type != kRegExpandSz) return false;
  std::string data;
  m_lastError = m_api.QueryValue(m_key, name, &type, &data, kStringBufferBytes);
  if (m_lastError != kRegistrySuccess) return false;
  // The text ends at its zero; data stored without one ends where it ends.
  *value = data.substr(0, data.find('\0'));
  return true;
}

bool CRegistryKey::WriteString(const std::string& name, const std::string& value) {
  if (value.size() >= kLongestStringRefused) return false;
  return FinishWrite(m_api.SetValue(m_key, name, kRegSz, value + '\0'));
}

bool CRegistryKey::WriteDword(const std::string& name, std::uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return FinishWrite(m_api.SetValue(m_key, name, kRegDword, bytes));
}

bool CRegistryKey::FinishWrite(long result) {
  if (!m_lazyFlush) m_api.FlushKey(m_key);
  return result == kRegistrySuccess;
}
