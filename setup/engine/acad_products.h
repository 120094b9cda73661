#pragma once

// The AutoCAD products installed on the machine, as the registry lists them
// under "SOFTWARE\Autodesk\AutoCAD\{release}\{product}", and the add-in
// registration chosen for each.

#include <string>
#include <vector>

#include "setup/engine/registry_api.h"

inline constexpr char kAcadKeyPath[] = "SOFTWARE\\Autodesk\\AutoCAD";

struct AcadProduct {
  std::string releaseKey;
  std::string productKey;
  std::string productName;
  std::string language;
};

// The check list of the setting page: items are appended in order.
class ProductCheckList {
 public:
  virtual ~ProductCheckList() = default;
  // Appends an item and returns its index.
  virtual int AddItem(const std::string& text) = 0;
  virtual void SetCheck(int index, bool checked) = 0;
};

// Appends every product that has both a "ProductName" and a "Language" to
// `products` and, checked, to `list` (the same index in both). False when
// the AutoCAD key cannot be opened.
bool FindAcadProducts(RegistryApi& registry, std::vector<AcadProduct>& products, ProductCheckList& list);

// The list item of a product: two blanks, the name, the language in
// parentheses.
std::string ProductItemText(const AcadProduct& product);
