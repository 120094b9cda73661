#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/engine/acad_products.h"
#include "setup/engine/demand_load.h"
#include "tests/unit/fakes/memory_registry.h"
#include "tests/unit/fakes/setup_fakes.h"

namespace {

constexpr char kInstall[] = "C:\\Program Files\\Zelmorant10.1\\";

void PutProduct(MemoryRegistry& registry, const std::string& release, const std::string& product,
                const std::string& name, const std::string& language) {
  std::string path = std::string(kAcadKeyPath) + "\\" + release + "\\" + product;
  registry.PutString(kHkeyLocalMachine, path, "ProductName", name);
  registry.PutString(kHkeyLocalMachine, path, "Language", language);
}

}  // namespace

TEST(FindAcadProducts, ListsProductsWithNameAndLanguageChecked) {
  MemoryRegistry registry;
  PutProduct(registry, "R16.0", "ACAD-201:409", "AutoCAD 2004", "English");
  PutProduct(registry, "R15.0", "ACAD-1:804", "AutoCAD 2002", "Chinese (PRC)");
  PutProduct(registry, "R16.0", "ACAD-202:409", "AutoCAD LT", "");
  registry.PutString(kHkeyLocalMachine, std::string(kAcadKeyPath) + "\\R17.1\\ACAD-5001", "ProductName",
                     "Only");
  registry.PutDword(kHkeyLocalMachine, std::string(kAcadKeyPath) + "\\R18.0\\ACAD-8001", "ProductName", 1);
  registry.PutString(kHkeyLocalMachine, std::string(kAcadKeyPath) + "\\R18.0\\ACAD-8001", "Language",
                     "English");
  PutProduct(registry, "R18.0", "ACAD-8002:409", "AutoCAD 2010", std::string(255, 'L'));

  std::vector<AcadProduct> products;
  CRecordingCheckList list;
  EXPECT_TRUE(FindAcadProducts(registry, products, list));

  EXPECT_EQ(list.items,
            (std::vector<std::string>{"  AutoCAD 2002(Chinese (PRC))", "  AutoCAD 2004(English)"}));
  EXPECT_EQ(list.checks, (std::vector<bool>{true, true}));
  ASSERT_EQ(products.size(), 2u);
  EXPECT_EQ(products[1].releaseKey, "R16.0");
  EXPECT_EQ(products[1].productKey, "ACAD-201:409");
  EXPECT_EQ(products[1].productName, "AutoCAD 2004");
  EXPECT_EQ(products[1].language, "English");
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(FindAcadProducts, FailsOnlyWhenTheAutoCadKeyCannotBeOpened) {
  std::vector<AcadProduct> products;
  CRecordingCheckList list;
  MemoryRegistry none;
  EXPECT_FALSE(FindAcadProducts(none, products, list));

  MemoryRegistry refused;
  PutProduct(refused, "R16.0", "ACAD-201:409", "AutoCAD 2004", "English");
  refused.Refuse(kHkeyLocalMachine, kAcadKeyPath);
  EXPECT_FALSE(FindAcadProducts(refused, products, list));

  MemoryRegistry empty;
  empty.PutString(kHkeyLocalMachine, std::string(kAcadKeyPath) + "\\R16.0\\ACAD-201:409", "Other", "x");
  EXPECT_TRUE(FindAcadProducts(empty, products, list));
  EXPECT_TRUE(products.empty());
  EXPECT_TRUE(list.items.empty());
}

TEST(FindAcadProducts, AReleaseThatCannotBeOpenedEndsTheWalk) {
  MemoryRegistry registry;
  PutProduct(registry, "R15.0", "ACAD-1:409", "AutoCAD 2000", "English");
  PutProduct(registry, "R16.0", "ACAD-201:409", "AutoCAD 2004", "English");
  PutProduct(registry, "R17.0", "ACAD-5001:409", "AutoCAD 2007", "English");
  registry.Refuse(kHkeyLocalMachine, std::string(kAcadKeyPath) + "\\R16.0");
  std::vector<AcadProduct> products;
  CRecordingCheckList list;
  EXPECT_TRUE(FindAcadProducts(registry, products, list));
  EXPECT_EQ(list.items, (std::vector<std::string>{"  AutoCAD 2000(English)"}));
}

TEST(ChooseAddIn, ModuleAndFormFollowTheReleaseNumber) {
  const struct {
    const char* release;
    const char* module;
    DemandLoadForm form;
  } cases[] = {
      {"R13.0", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
      {"R14.0", "Zelmorant14.arx", DemandLoadForm::kRegPath},
      {"R14.99", "Zelmorant14.arx", DemandLoadForm::kRegPath},
      {"R15.0", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
      {"R15.9", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
      {"R16", "Zelmorant2004.arx", DemandLoadForm::kLoader},
      {"R16.2", "Zelmorant2004.arx", DemandLoadForm::kLoader},
      {"R17.1", "Zelmorant2007.arx", DemandLoadForm::kLoader},
      {"R18.0", nullptr, DemandLoadForm::kNone},
      {"R24.1", nullptr, DemandLoadForm::kNone},
      // From the second character on: "16.2" is read as 6.2.
      {"16.2", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
      {"R", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
      {"", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
      {"Rabc", "Zelmorant2000.arx", DemandLoadForm::kRegPath},
  };
  for (const auto& c : cases) {
    AddInChoice choice = ChooseAddIn(c.release);
    EXPECT_EQ(choice.form, c.form) << c.release;
    if (c.module) {
      EXPECT_STREQ(choice.module, c.module) << c.release;
    } else {
      EXPECT_EQ(choice.module, nullptr) << c.release;
    }
  }
}

TEST(RegisterDemandLoad, RegPathFormPointsToTheProductsOwnKey) {
  MemoryRegistry registry;
  EXPECT_TRUE(RegisterDemandLoad(registry, {"R15.0", "ACAD-1:409", "AutoCAD 2002", "English"}, kInstall,
                                 "Zelmorant10.1", "zm"));
  EXPECT_EQ(
      registry.Dump(kHkeyLocalMachine),
      (std::vector<std::string>{
          "SOFTWARE",
          "SOFTWARE\\Autodesk",
          "SOFTWARE\\Autodesk\\AutoCAD",
          "SOFTWARE\\Autodesk\\AutoCAD\\R15.0",
          "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409",
          "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications",
          "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications\\Zelmorant10.1",
          "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications\\Zelmorant10.1 [LOADCTRLS] dword:2",
          "SOFTWARE\\Autodesk\\AutoCAD\\R15.0\\ACAD-1:409\\Applications\\Zelmorant10.1 [REGPATH] "
          "sz:\\\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Zelmorant10.1\\R15.0",
          "SOFTWARE\\Zelmorant10.1",
          "SOFTWARE\\Zelmorant10.1\\R15.0",
          "SOFTWARE\\Zelmorant10.1\\R15.0\\Commands",
          "SOFTWARE\\Zelmorant10.1\\R15.0\\Commands [zm] sz:zm",
          "SOFTWARE\\Zelmorant10.1\\R15.0\\Loader",
          "SOFTWARE\\Zelmorant10.1\\R15.0\\Loader [MODULE] sz:C:\\Program Files\\Zelmorant10.1\\"
          "Zelmorant2000.arx",
          "SOFTWARE\\Zelmorant10.1\\R15.0\\Name",
          "SOFTWARE\\Zelmorant10.1\\R15.0\\Name [Zelmorant10.1] sz:Zelmorant10.1",
      }));
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(RegisterDemandLoad, LoaderFormKeepsEverythingUnderTheAutoCadKey) {
  MemoryRegistry registry;
  EXPECT_TRUE(RegisterDemandLoad(registry, {"R16.2", "ACAD-4001:804", "AutoCAD 2006", "Chinese"}, kInstall,
                                 "Zelmorant10.1", "zm"));
  const std::string app = "SOFTWARE\\Autodesk\\AutoCAD\\R16.2\\ACAD-4001:804\\Applications\\Zelmorant10.1";
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, app, "LOADER"),
            "C:\\Program Files\\Zelmorant10.1\\Zelmorant2004.arx");
  EXPECT_EQ(registry.Get(kHkeyLocalMachine, app, "LOADCTRLS")->type, kRegDword);
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, app, "LOADCTRLS"), "2");
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, app, "DESCRIPTION"), "Zelmorant10.1");
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, app + "\\Commands", "zm"), "zm");
  EXPECT_FALSE(registry.HasKey(kHkeyLocalMachine, "SOFTWARE\\Zelmorant10.1"));
}

TEST(RegisterDemandLoad, ReleasesFrom18OnAreListedButNotRegistered) {
  MemoryRegistry registry;
  EXPECT_TRUE(RegisterDemandLoad(registry, {"R18.0", "ACAD-8001:409", "AutoCAD 2010", "English"}, kInstall,
                                 "Zelmorant10.1", "zm"));
  EXPECT_TRUE(registry.Dump(kHkeyLocalMachine).empty());
}

TEST(WriteRegPathForm, AKeyThatCannotBeCreatedEndsTheRegistration) {
  MemoryRegistry registry;
  registry.Refuse(kHkeyLocalMachine, "SOFTWARE\\Zelmorant10.1\\R15.0\\Name");
  EXPECT_FALSE(
      WriteRegPathForm(registry, "R15.0", "ACAD-1:409", "C:\\Z\\Zelmorant2000.arx", "Zelmorant10.1", "zm"));
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, "SOFTWARE\\Zelmorant10.1\\R15.0\\Loader", "MODULE"),
            "C:\\Z\\Zelmorant2000.arx");
  EXPECT_FALSE(registry.HasKey(kHkeyLocalMachine, "SOFTWARE\\Zelmorant10.1\\R15.0\\Commands"));
  EXPECT_EQ(registry.OpenHandles(), 0);
}

TEST(WriteLoaderForm, ALongModulePathIsLeftOutButTheOtherValuesAreWritten) {
  MemoryRegistry registry;
  std::string deep = "C:\\" + std::string(250, 'd') + "\\Zelmorant2004.arx";
  EXPECT_TRUE(WriteLoaderForm(registry, "R16.0", "ACAD-201:409", deep, "Zelmorant10.1", "zm"));
  const std::string app = "SOFTWARE\\Autodesk\\AutoCAD\\R16.0\\ACAD-201:409\\Applications\\Zelmorant10.1";
  EXPECT_FALSE(registry.Get(kHkeyLocalMachine, app, "LOADER"));
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, app, "LOADCTRLS"), "2");
  EXPECT_EQ(registry.Text(kHkeyLocalMachine, app + "\\Commands", "zm"), "zm");
}
