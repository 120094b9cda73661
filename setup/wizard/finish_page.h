#pragma once

#include "setup/wizard/wizard_page.h"

class CFinishPage : public CWizardPage {
 public:
  CFinishPage();

 protected:
  bool OnInitDialog() override;
};
