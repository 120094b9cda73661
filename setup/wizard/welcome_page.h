#pragma once

#include "setup/wizard/wizard_page.h"

// The agreement: Next goes on only when it is accepted; Cancel asks first.
class CWelcomePage : public CWizardPage {
 public:
  CWelcomePage();

  int OnWizardNext() override;
  bool OnQueryCancel() override;

 protected:
  bool OnInitDialog() override;
};
