#include "setup/engine/demand_load.h"

#include <cstdlib>

#include "setup/engine/registry_key.h"
#include "setup/engine/setup_state.h"
#include "setup/engine/uninstall_log.h"

namespace {

constexpr std::uint32_t kLoadControls = 2;

// Opens `path` under HKEY_LOCAL_MACHINE, creating it when missing.
bool CreateKey(CRegistryKey& key, const std::string& path) { return key.Open(path, true); }

std::string ApplicationsParent(const std::string& release, const std::string& product) {
  return std::string(kAcadKeyPath) + "\\" + release + "\\" + product + "\\Applications";
}

std::string ApplicationsPath(const std::string& release, const std::string& product,
                             const std::string& appName) {
  return ApplicationsParent(release, product) + "\\" + appName;
}

bool KeyExists(RegistryApi& registry, const std::string& path) {
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  return key.Open(path, false);
}

}  // namespace

bool WriteRegPathForm(RegistryApi& registry, const std::string& release, const std::string& product,
                      const std::string& modulePath, const std::string& appName, const std::string& command) {
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  if (!CreateKey(key, ApplicationsPath(release, product, appName))) return false;
  key.WriteDword("LOADCTRLS", kLoadControls);
  key.WriteString("REGPATH", "\\\\HKEY_LOCAL_MACHINE\\SOFTWARE\\" + appName + "\\" + release);
  std::string ownKey = "SOFTWARE\\" + appName + "\\" + release;
  if (!CreateKey(key, ownKey + "\\Loader")) return false;
  key.WriteString("MODULE", modulePath);
  if (!CreateKey(key, ownKey + "\\Name")) return false;
  key.WriteString(appName, appName);
  if (!CreateKey(key, ownKey + "\\Commands")) return false;
  key.WriteString(command, command);
  key.Close();
  return true;
}

bool WriteLoaderForm(RegistryApi& registry, const std::string& release, const std::string& product,
                     const std::string& modulePath, const std::string& appName, const std::string& command) {
  CRegistryKey key(registry);
  key.SetRootKey(kHkeyLocalMachine);
  std::string applications = ApplicationsPath(release, product, appName);
  if (!CreateKey(key, applications)) return false;
  key.WriteString("LOADER", modulePath);
  key.WriteDword("LOADCTRLS", kLoadControls);
  key.WriteString("DESCRIPTION", appName);
  if (!CreateKey(key, applications + "\\Commands")) return false;
  key.WriteString(command, command);
  key.Close();
  return true;
}

AddInChoice ChooseAddIn(const std::string& releaseKey) {
  double release = releaseKey.size() > 1 ? std::strtod(releaseKey.c_str() + 1, nullptr) : 0.0;
  if (release >= 14 && release < 15) return {"Zelmorant14.arx", DemandLoadForm::kRegPath};
  if (release < 16) return {"Zelmorant2000.arx", DemandLoadForm::kRegPath};
  if (release < 17) return {"Zelmorant2004.arx", DemandLoadForm::kLoader};
  if (release < 18) return {"Zelmorant2007.arx", DemandLoadForm::kLoader};
  return {nullptr, DemandLoadForm::kNone};
}

bool RegisterDemandLoad(RegistryApi& registry, const AcadProduct& product, const std::string& installDir,
                        const std::string& appName, const std::string& command) {
  AddInChoice choice = ChooseAddIn(product.releaseKey);
  if (choice.form == DemandLoadForm::kNone) return true;
  std::string modulePath = installDir + choice.module;
  if (choice.form == DemandLoadForm::kRegPath) {
    WriteRegPathForm(registry, product.releaseKey, product.productKey, modulePath, appName, command);
  } else {
    WriteLoaderForm(registry, product.releaseKey, product.productKey, modulePath, appName, command);
  }
  return true;
}

void RegisterCheckedProducts(RegistryApi& registry, const std::vector<AcadProduct>& checked) {
  for (const AcadProduct& product : checked) {
    // The product's "Applications" key is ours to remove only when this
    // registration made it; the uninstaller removes it only when empty.
    std::string applications = ApplicationsParent(product.releaseKey, product.productKey);
    bool existed = KeyExists(registry, applications);
    RegisterDemandLoad(registry, product, g_installDir, kProductVersion, kCommandName);
    AppendProductRecord(product.releaseKey, product.productKey);
    if (!existed && KeyExists(registry, applications))
      AppendApplicationsRecord(product.releaseKey, product.productKey);
  }
  AppendProductKeyRecord();
}
