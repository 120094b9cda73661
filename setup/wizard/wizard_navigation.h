#pragma once

// The wizard's decisions, apart from its windows: which page Next and Back
// lead to, and the state of the frame's four buttons after each move.

#include <cstddef>
#include <optional>
#include <vector>

// What a page answers to Next or Back.
inline constexpr int kStayOnPage = -1;
inline constexpr int kNeighbourPage = 0;
// Any other answer is the template id of the page to go to.

inline constexpr int kProgressPageId = 137;

struct WizardButtons {
  bool backEnabled = false;
  bool backVisible = true;
  bool nextEnabled = true;
  bool nextVisible = true;
  bool cancelEnabled = true;
  bool cancelVisible = true;
  bool finishEnabled = true;
  bool finishVisible = false;
};

// The buttons when the wizard opens with `pageCount` pages.
WizardButtons InitialWizardButtons(std::size_t pageCount);

// The page index that Next (`forward`) or Back leads to from `active`, given
// the active page's answer; none when the wizard stays.
std::optional<std::size_t> WizardTarget(const std::vector<int>& pageIds, std::size_t active, int answer,
                                        bool forward);

// The buttons after the wizard moved forward to, or back to, `target`.
void UpdateButtonsAfterNext(WizardButtons& buttons, const std::vector<int>& pageIds, std::size_t target);
void UpdateButtonsAfterBack(WizardButtons& buttons, std::size_t target);
