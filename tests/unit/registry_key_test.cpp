#include "setup/engine/registry_key.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/fakes/memory_registry.h"

namespace {

constexpr char kTestPath[] = "SOFTWARE\\Test";

}  // namespace

TEST(CRegistryKey, OpensOnlyExistingKeysUnlessAskedToCreate) {
  MemoryRegistry registry;
  {
    CRegistryKey key(registry);
    ASSERT_TRUE(key.SetRootKey(kHkeyLocalMachine));
    EXPECT_FALSE(key.Open(kTestPath, false));
    EXPECT_EQ(key.LastError(), kRegistryNotFound);
    EXPECT_EQ(key.Key(), 0u);
    EXPECT_FALSE(registry.HasKey(kHkeyLocalMachine, kTestPath));

    EXPECT_TRUE(key.Open(kTestPath, true));
    EXPECT_EQ(key.Path(), kTestPath);
    EXPECT_TRUE(registry.HasKey(kHkeyLocalMachine, kTestPath));
    EXPECT_TRUE(key.Open("software\\TEST", false)) << "names ignore letter case";

    EXPECT_TRUE(key.Open("", false));
    EXPECT_EQ(key.Path(), "");
    EXPECT_EQ(key.Key(), 0u);
  }
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(CRegistryKey, SetRootKeyAcceptsOnlyTheFourRoots) {
  MemoryRegistry registry;
  registry.PutString(kHkeyUsers, "", "AtRoot", "root value");
  const struct {
    RegistryHandle root;
    bool accepted;
  } cases[] = {
      {kHkeyClassesRoot, true},
      {kHkeyCurrentUser, true},
      {kHkeyLocalMachine, true},
      {kHkeyUsers, true},
      {0x80000004u, false},
      {0x80000005u, false},
      {0, false},
      {0x1000u, false},
  };
  for (const auto& c : cases) {
    CRegistryKey key(registry);
    key.SetRootKey(kHkeyUsers);
    EXPECT_EQ(key.SetRootKey(c.root), c.accepted) << std::hex << c.root;
    EXPECT_EQ(key.Root(), c.accepted ? c.root : kHkeyUsers);
    EXPECT_EQ(key.Key(), c.accepted ? c.root : kHkeyUsers);
  }
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyUsers);
  std::string value;
  EXPECT_TRUE(key.ReadString("AtRoot", &value)) << "values at the root itself are readable";
  EXPECT_EQ(value, "root value");
}

TEST(CRegistryKey, ReadStringTakesOnlyShortStringValues) {
  MemoryRegistry registry;
  registry.PutString(kHkeyLocalMachine, kTestPath, "Plain", "AutoCAD 2004");
  registry.PutString(kHkeyLocalMachine, kTestPath, "Longest", std::string(254, 'a'));
  registry.PutString(kHkeyLocalMachine, kTestPath, "TooLong", std::string(255, 'b'));
  registry.PutDword(kHkeyLocalMachine, kTestPath, "Number", 7);
  {
    CRegistryKey writer(registry);
    writer.SetRootKey(kHkeyLocalMachine);
    writer.Open(kTestPath, false);
    registry.SetValue(writer.Key(), "Expandable", kRegExpandSz, std::string("%WINDIR%\\x") + '\0');
    registry.SetValue(writer.Key(), "NoZero", kRegSz, "abc");
  }
  const struct {
    const char* name;
    bool read;
    std::string expected;
  } cases[] = {
      {"Plain", true, "AutoCAD 2004"}, {"Longest", true, std::string(254, 'a')},
      {"TooLong", false, "unchanged"}, {"Number", false, "unchanged"},
      {"Missing", false, "unchanged"}, {"Expandable", true, "%WINDIR%\\x"},
      {"NoZero", true, "abc"},
  };
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  ASSERT_TRUE(key.Open(kTestPath, false));
  for (const auto& c : cases) {
    std::string value = "unchanged";
    EXPECT_EQ(key.ReadString(c.name, &value), c.read) << c.name;
    EXPECT_EQ(value, c.expected) << c.name;
  }
  EXPECT_EQ(key.GetValueType("Number"), kRegDword);
  EXPECT_EQ(key.GetValueType("Missing"), 0u);
  EXPECT_EQ(key.LastError(), kRegistryNotFound);
}

TEST(CRegistryKey, WritesStringsWithTheirZeroAndRefusesLongOnes) {
  MemoryRegistry registry;
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  ASSERT_TRUE(key.Open(kTestPath, true));
  EXPECT_TRUE(key.WriteString("Short", "zm"));
  EXPECT_TRUE(key.WriteString("Longest", std::string(254, 'x')));
  EXPECT_FALSE(key.WriteString("TooLong", std::string(255, 'x')));
  EXPECT_TRUE(key.WriteDword("LOADCTRLS", 0x01020304));

  EXPECT_EQ(registry.Get(kHkeyLocalMachine, kTestPath, "Short")->data, std::string("zm\0", 3));
  EXPECT_EQ(registry.Get(kHkeyLocalMachine, kTestPath, "Short")->type, kRegSz);
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, kTestPath, "Longest").size(), 254u);
  EXPECT_FALSE(registry.Get(kHkeyLocalMachine, kTestPath, "TooLong"));
  EXPECT_EQ(registry.Get(kHkeyLocalMachine, kTestPath, "LOADCTRLS")->data, "\x04\x03\x02\x01");
  EXPECT_EQ(registry.Flushes(), 0) << "writes are not flushed by default";

  key.SetLazyFlush(false);
  key.WriteDword("Again", 1);
  key.WriteString("Again2", "x");
  EXPECT_EQ(registry.Flushes(), 2);
}

TEST(CRegistryKey, EnumeratesSubkeysAsChildrenUnderTheSameRoot) {
  MemoryRegistry registry;
  for (const char* name : {"R16.2", "R15.0", "R17.1"}) {
    registry.PutString(kHkeyLocalMachine, std::string(kTestPath) + "\\" + name, "v", name);
  }
  {
    CRegistryKey parent(registry);
    parent.SetRootKey(kHkeyLocalMachine);
    ASSERT_TRUE(parent.Open(kTestPath, false));
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
      CRegistryKey child(registry);
      std::string name;
      if (!parent.EnumSubKey(index, &name, &child)) break;
      EXPECT_EQ(child.Root(), kHkeyLocalMachine);
      EXPECT_EQ(child.Path(), std::string(kTestPath) + "\\" + name);
      std::string value;
      EXPECT_TRUE(child.ReadString("v", &value));
      EXPECT_EQ(value, name);
      names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"R15.0", "R16.2", "R17.1"}));
    EXPECT_EQ(parent.LastError(), kRegistryNoMoreItems);
  }
  EXPECT_EQ(registry.OpenHandles(), 0);
}
