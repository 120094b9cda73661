#pragma once

// The registry port in memory, for host tests: keys and values under the four
// roots, names compared without regard to ASCII letter case as the registry
// does, subkeys enumerated in name order. Keys can be made to refuse access,
// and the test can see how many handles are still open.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "setup/engine/registry_api.h"

class MemoryRegistry : public RegistryApi {
 public:
  struct Value {
    std::uint32_t type;
    std::string data;
  };

  MemoryRegistry();
  ~MemoryRegistry() override;

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

  // Seeding and inspection, by root and path.
  void PutString(RegistryHandle root, const std::string& path, const std::string& name,
                 const std::string& text);
  void PutDword(RegistryHandle root, const std::string& path, const std::string& name, std::uint32_t value);
  bool HasKey(RegistryHandle root, const std::string& path) const;
  std::optional<Value> Get(RegistryHandle root, const std::string& path, const std::string& name) const;
  // "STRING" text without its zero, or a DWORD in decimal; empty when absent.
  std::string Text(RegistryHandle root, const std::string& path, const std::string& name) const;
  // Every key and value under `root`, one line each, for whole-tree checks.
  std::vector<std::string> Dump(RegistryHandle root) const;
  // Opening or creating this key, or a key below it, fails with access denied.
  void Refuse(RegistryHandle root, const std::string& path);

  int OpenHandles() const { return static_cast<int>(m_handles.size()); }
  int Flushes() const { return m_flushes; }

 private:
  struct Node;
  struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Node {
    std::map<std::string, std::unique_ptr<Node>, CaseLess> children;
    std::map<std::string, Value, CaseLess> values;
    bool refused = false;
  };

  Node* NodeOf(RegistryHandle key) const;
  long Walk(RegistryHandle parent, const std::string& path, bool create, Node** found) const;
  RegistryHandle NewHandle(Node* node);
  long Delete(RegistryHandle parent, const std::string& path, bool withSubkeys);
  // Handles of a deleted key and its subkeys go with it.
  void ForgetHandles(const Node& node);
  void DumpNode(const Node& node, const std::string& path, std::vector<std::string>& lines) const;

  std::map<RegistryHandle, std::unique_ptr<Node>> m_roots;
  std::map<RegistryHandle, Node*> m_handles;
  RegistryHandle m_nextHandle = 0x1000;
  int m_flushes = 0;
};
