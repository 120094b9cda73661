#pragma once

// Registration of the add-in with AutoCAD so that it is loaded on demand:
// the REGPATH form for releases below 16, the LOADER form for 16 and 17.
// Every key lies under HKEY_LOCAL_MACHINE and is created when missing.

#include <string>
#include <vector>

#include "setup/engine/acad_products.h"
#include "setup/engine/registry_api.h"

inline constexpr char kCommandName[] = "zm";

enum class DemandLoadForm { kNone, kRegPath, kLoader };

struct AddInChoice {
  const char* module;  // null when nothing is registered
  DemandLoadForm form;
};

// Both forms take: release key name, product key name, module path,
// application name, command name. TRUE when every key could be created.
bool WriteRegPathForm(RegistryApi& registry, const std::string& release, const std::string& product,
                      const std::string& modulePath, const std::string& appName, const std::string& command);
bool WriteLoaderForm(RegistryApi& registry, const std::string& release, const std::string& product,
                     const std::string& modulePath, const std::string& appName, const std::string& command);

// The module and form of a release key name such as "R16.2": its number
// from the second character on.
AddInChoice ChooseAddIn(const std::string& releaseKey);

// Registers the add-in for one product, the module found in `installDir`
// (which ends in a backslash). Always true, also when nothing is written.
bool RegisterDemandLoad(RegistryApi& registry, const AcadProduct& product, const std::string& installDir,
                        const std::string& appName, const std::string& command);

// What leaving the setting page does for the checked products, in list
// order: each is registered and gets its registry record in the uninstall
// log (and the record of its "Applications" key when the registration
// created that key), then the log gets the record of the product's own key.
void RegisterCheckedProducts(RegistryApi& registry, const std::vector<AcadProduct>& checked);
