#include "setup/wizard/wizard_navigation.h"

#include <gtest/gtest.h>

namespace {

const std::vector<int> kPages = {135, 136, 137, 138};

}  // namespace

TEST(WizardNavigation, AnswersChooseTheTarget) {
  EXPECT_EQ(WizardTarget(kPages, 0, kNeighbourPage, true), 1u);
  EXPECT_EQ(WizardTarget(kPages, 1, kStayOnPage, true), std::nullopt);
  EXPECT_EQ(WizardTarget(kPages, 3, kNeighbourPage, true), std::nullopt);
  EXPECT_EQ(WizardTarget(kPages, 0, 138, true), 3u);
  EXPECT_EQ(WizardTarget(kPages, 0, 999, true), std::nullopt);
  EXPECT_EQ(WizardTarget(kPages, 2, kNeighbourPage, false), 1u);
  EXPECT_EQ(WizardTarget(kPages, 0, kNeighbourPage, false), std::nullopt);
  EXPECT_EQ(WizardTarget(kPages, 3, 135, false), 0u);
}

TEST(WizardNavigation, ButtonsFollowTheWalkThroughThePages) {
  WizardButtons buttons = InitialWizardButtons(kPages.size());
  EXPECT_FALSE(buttons.backEnabled);
  EXPECT_TRUE(buttons.nextEnabled);
  EXPECT_FALSE(buttons.finishVisible);

  UpdateButtonsAfterNext(buttons, kPages, 1);  // setting page
  EXPECT_TRUE(buttons.backEnabled);
  EXPECT_TRUE(buttons.cancelEnabled);

  UpdateButtonsAfterBack(buttons, 0);  // back to the welcome page
  EXPECT_FALSE(buttons.backEnabled);
  EXPECT_TRUE(buttons.nextEnabled);

  UpdateButtonsAfterNext(buttons, kPages, 1);
  UpdateButtonsAfterNext(buttons, kPages, 2);  // progress: nothing to press
  EXPECT_FALSE(buttons.backEnabled);
  EXPECT_FALSE(buttons.nextEnabled);
  EXPECT_FALSE(buttons.cancelEnabled);
  EXPECT_FALSE(buttons.finishVisible);

  UpdateButtonsAfterNext(buttons, kPages, 3);  // finish: only Finish shows
  EXPECT_TRUE(buttons.finishVisible);
  EXPECT_TRUE(buttons.finishEnabled);
  EXPECT_FALSE(buttons.backVisible);
  EXPECT_FALSE(buttons.nextVisible);
  EXPECT_FALSE(buttons.cancelVisible);
}

TEST(WizardNavigation, ASinglePageWizardOffersFinishAtOnce) {
  WizardButtons buttons = InitialWizardButtons(1);
  EXPECT_TRUE(buttons.finishVisible);
  EXPECT_FALSE(buttons.nextEnabled);
}
