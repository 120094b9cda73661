#pragma once

#include <vector>

#include "setup/engine/acad_products.h"
#include "setup/wizard/wizard_page.h"
#include "winfx/controls/check_list_box.h"

struct CSetupServices;

// The CAD products to register the add-in with and the install folder.
// Leaving it with Next validates the folder, opens the uninstall log and
// registers the add-in for every checked product.
class CSettingPage : public CWizardPage {
 public:
  explicit CSettingPage(CSetupServices& services);

  int OnWizardNext() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(WORD notifyCode, WORD id, HWND control) override;
  bool OnDrawItem(UINT_PTR id, const DRAWITEMSTRUCT& item) override;

 private:
  void Browse();
  // Focuses the folder field with its whole text selected and in view.
  void RefocusFolder() const;
  // The folder exists, or the user had it made (`made` lists the folders
  // made); false keeps the page.
  bool EnsureFolderExists(const std::wstring& folder, std::vector<std::wstring>* made) const;

  CSetupServices& m_services;
  winfx::CCheckListBox m_products;
  std::vector<AcadProduct> m_acadProducts;
};
