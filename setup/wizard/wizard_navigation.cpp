#include "setup/wizard/wizard_navigation.h"

#include <algorithm>

WizardButtons InitialWizardButtons(std::size_t pageCount) {
  WizardButtons buttons;
  buttons.backEnabled = false;
  buttons.finishVisible = pageCount < 2;
  buttons.nextEnabled = pageCount >= 2;
  return buttons;
}

std::optional<std::size_t> WizardTarget(const std::vector<int>& pageIds, std::size_t active, int answer,
                                        bool forward) {
  if (answer == kStayOnPage) return std::nullopt;
  if (answer == kNeighbourPage) {
    if (forward) return active + 1 < pageIds.size() ? std::optional(active + 1) : std::nullopt;
    return active > 0 ? std::optional(active - 1) : std::nullopt;
  }
  auto found = std::find(pageIds.begin(), pageIds.end(), answer);
  if (found == pageIds.end()) return std::nullopt;
  return static_cast<std::size_t>(found - pageIds.begin());
}

void UpdateButtonsAfterNext(WizardButtons& buttons, const std::vector<int>& pageIds, std::size_t target) {
  buttons.backEnabled = true;
  if (pageIds[target] == kProgressPageId) {
    buttons.backEnabled = false;
    buttons.nextEnabled = false;
    buttons.cancelEnabled = false;
  }
  if (target + 1 == pageIds.size()) {
    buttons.finishEnabled = true;
    buttons.finishVisible = true;
    buttons.cancelVisible = false;
    buttons.backVisible = false;
    buttons.nextVisible = false;
    buttons.cancelEnabled = true;
  }
}

void UpdateButtonsAfterBack(WizardButtons& buttons, std::size_t target) {
  if (target == 0) {
    buttons.backEnabled = false;
    buttons.finishVisible = false;
  }
  buttons.nextEnabled = true;
}
