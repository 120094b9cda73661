#include "tests/unit/fakes/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t end = path.find('\\', start);
    parts.push_back(path.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// "STRING" text without its zero, or a DWORD in decimal.
std::string Render(const MemoryRegistry::Value& value) {
  if (value.type == kRegDword && value.data.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(value.data[i]);
    return std::to_string(number);
  }
  return value.data.substr(0, value.data.find('\0'));
}

}  // namespace

bool MemoryRegistry::CaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
  });
}

MemoryRegistry::MemoryRegistry() {
  for (RegistryHandle root : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
    m_roots[root] = std::make_unique<Node>();
  }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::NodeOf(RegistryHandle key) const {
  auto root = m_roots.find(key);
  if (root != m_roots.end()) return root->second.get();
  auto open = m_handles.find(key);
  return open == m_handles.end() ? nullptr : open->second;
}

long MemoryRegistry::Walk(RegistryHandle parent, const std::string& path, bool create, Node** found) const {
  Node* node = NodeOf(parent);
  if (!node) return kRegistryInvalidParameter;
  if (path.empty()) {
    *found = node;
    return kRegistrySuccess;
  }
  for (const std::string& part : SplitPath(path)) {
    if (part.empty()) return kRegistryNotFound;
    auto child = node->children.find(part);
    if (child == node->children.end()) {
      if (!create) return kRegistryNotFound;
      child = node->children.emplace(part, std::make_unique<Node>()).first;
    }
    node = child->second.get();
    if (node->refused) return kRegistryAccessDenied;
  }
  *found = node;
  return kRegistrySuccess;
}

RegistryHandle MemoryRegistry::NewHandle(Node* node) {
  RegistryHandle handle = m_nextHandle++;
  m_handles[handle] = node;
  return handle;
}

long MemoryRegistry::OpenKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
  Node* node = nullptr;
  long result = Walk(parent, path, false, &node);
  if (result == kRegistrySuccess) *key = NewHandle(node);
  return result;
}

long MemoryRegistry::CreateKey(RegistryHandle parent, const std::string& path, RegistryHandle* key) {
  Node* node = nullptr;
  long result = Walk(parent, path, true, &node);
  if (result == kRegistrySuccess) *key = NewHandle(node);
  return result;
}

long MemoryRegistry::CloseKey(RegistryHandle key) {
  if (m_roots.count(key)) return kRegistrySuccess;
  return m_handles.erase(key) ? kRegistrySuccess : kRegistryInvalidParameter;
}

long MemoryRegistry::EnumKey(RegistryHandle key, std::uint32_t index, std::string* name) {
  Node* node = NodeOf(key);
  if (!node) return kRegistryInvalidParameter;
  if (index >= node->children.size()) return kRegistryNoMoreItems;
  *name = std::next(node->children.begin(), index)->first;
  return kRegistrySuccess;
}

long MemoryRegistry::QueryValue(RegistryHandle key, const std::string& name, std::uint32_t* type,
                                std::string* data, std::size_t capacity) {
  Node* node = NodeOf(key);
  if (!node) return kRegistryInvalidParameter;
  auto value = node->values.find(name);
  if (value == node->values.end()) return kRegistryNotFound;
  *type = value->second.type;
  if (!data) return kRegistrySuccess;
  if (value->second.data.size() > capacity) return kRegistryMoreData;
  *data = value->second.data;
  return kRegistrySuccess;
}

long MemoryRegistry::SetValue(RegistryHandle key, const std::string& name, std::uint32_t type,
                              const std::string& data) {
  Node* node = NodeOf(key);
  if (!node) return kRegistryInvalidParameter;
  node->values[name] = Value{type, data};
  return kRegistrySuccess;
}

long MemoryRegistry::FlushKey(RegistryHandle key) {
  ++m_flushes;
  return NodeOf(key) ? kRegistrySuccess : kRegistryInvalidParameter;
}

long MemoryRegistry::DeleteKey(RegistryHandle parent, const std::string& path) {
  return Delete(parent, path, false);
}

long MemoryRegistry::DeleteTree(RegistryHandle parent, const std::string& path) {
  return Delete(parent, path, true);
}

long MemoryRegistry::DeleteValue(RegistryHandle key, const std::string& name) {
  Node* node = NodeOf(key);
  if (!node) return kRegistryInvalidParameter;
  return node->values.erase(name) ? kRegistrySuccess : kRegistryNotFound;
}

long MemoryRegistry::Delete(RegistryHandle parent, const std::string& path, bool withSubkeys) {
  Node* node = nullptr;
  long result = path.empty() ? kRegistryInvalidParameter : Walk(parent, path, false, &node);
  if (result != kRegistrySuccess) return result;
  if (!withSubkeys && !node->children.empty()) return kRegistryAccessDenied;
  std::size_t last = path.rfind('\\');
  Node* holder = nullptr;
  Walk(parent, last == std::string::npos ? "" : path.substr(0, last), false, &holder);
  ForgetHandles(*node);
  holder->children.erase(last == std::string::npos ? path : path.substr(last + 1));
  return kRegistrySuccess;
}

void MemoryRegistry::ForgetHandles(const Node& node) {
  std::erase_if(m_handles, [&](const auto& handle) { return handle.second == &node; });
  for (const auto& [name, child] : node.children) ForgetHandles(*child);
}

void MemoryRegistry::PutString(RegistryHandle root, const std::string& path, const std::string& name,
                               const std::string& text) {
  Node* node = nullptr;
  Walk(root, path, true, &node);
  node->values[name] = Value{kRegSz, text + '\0'};
}

void MemoryRegistry::PutDword(RegistryHandle root, const std::string& path, const std::string& name,
                              std::uint32_t value) {
  Node* node = nullptr;
  Walk(root, path, true, &node);
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  node->values[name] = Value{kRegDword, bytes};
}

bool MemoryRegistry::HasKey(RegistryHandle root, const std::string& path) const {
  Node* node = nullptr;
  return Walk(root, path, false, &node) == kRegistrySuccess;
}

std::optional<MemoryRegistry::Value> MemoryRegistry::Get(RegistryHandle root, const std::string& path,
                                                         const std::string& name) const {
  Node* node = nullptr;
  if (Walk(root, path, false, &node) != kRegistrySuccess) return std::nullopt;
  auto value = node->values.find(name);
  if (value == node->values.end()) return std::nullopt;
  return value->second;
}

std::string MemoryRegistry::Text(RegistryHandle root, const std::string& path,
                                 const std::string& name) const {
  std::optional<Value> value = Get(root, path, name);
  return value ? Render(*value) : std::string();
}

std::vector<std::string> MemoryRegistry::Dump(RegistryHandle root) const {
  std::vector<std::string> lines;
  DumpNode(*m_roots.at(root), "", lines);
  return lines;
}

void MemoryRegistry::DumpNode(const Node& node, const std::string& path,
                              std::vector<std::string>& lines) const {
  for (const auto& [name, value] : node.values) {
    std::string kind = value.type == kRegDword ? "dword:" : value.type == kRegSz ? "sz:" : "other:";
    lines.push_back(path + " [" + name + "] " + kind + Render(value));
  }
  for (const auto& [name, child] : node.children) {
    std::string childPath = path.empty() ? name : path + "\\" + name;
    lines.push_back(childPath);
    DumpNode(*child, childPath, lines);
  }
}

void MemoryRegistry::Refuse(RegistryHandle root, const std::string& path) {
  Node* node = nullptr;
  Walk(root, path, true, &node);
  node->refused = true;
}
