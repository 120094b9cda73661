#include "setup/engine/acad_products.h"

#include "setup/engine/registry_key.h"

namespace {

// Reads the two values of one product key; the product counts only with both.
bool ReadProduct(CRegistryKey& productKey, AcadProduct* product) {
  product->productName.clear();
  product->language.clear();
  productKey.ReadString("ProductName", &product->productName);
  productKey.ReadString("Language", &product->language);
  return !product->productName.empty() && !product->language.empty();
}

void FindReleaseProducts(RegistryApi& registry, CRegistryKey& releaseKey, const std::string& releaseName,
                         std::vector<AcadProduct>& products, ProductCheckList& list) {
  for (std::uint32_t index = 0;; ++index) {
    CRegistryKey productKey(registry);
    AcadProduct product;
    if (!releaseKey.EnumSubKey(index, &product.productKey, &productKey)) break;
    product.releaseKey = releaseName;
    if (ReadProduct(productKey, &product)) {
      products.push_back(product);
      list.SetCheck(list.AddItem(ProductItemText(product)), true);
    }
    productKey.Close();
  }
}

}  // namespace

std::string ProductItemText(const AcadProduct& product) {
  return "  " + product.productName + "(" + product.language + ")";
}

bool FindAcadProducts(RegistryApi& registry, std::vector<AcadProduct>& products, ProductCheckList& list) {
  CRegistryKey acadKey(registry);
  acadKey.SetRootKey(kHkeyLocalMachine);
  if (!acadKey.Open(kAcadKeyPath, false)) return false;
  for (std::uint32_t index = 0;; ++index) {
    CRegistryKey releaseKey(registry);
    std::string releaseName;
    if (!acadKey.EnumSubKey(index, &releaseName, &releaseKey)) break;
    FindReleaseProducts(registry, releaseKey, releaseName, products, list);
    releaseKey.Close();
  }
  acadKey.Close();
  return true;
}
