// Real key presses: where the focus starts in MainWindow, how Tab and Shift+Tab move it
// through the five buttons, that Enter clicks nothing, and that Esc closes any window.
//
// The focus itself cannot be seen from outside the program, so each case ends with Space,
// which clicks the focused button; the window that opens tells which button had the focus.

#include "GuideTest.h"

namespace vtg::e2e {
namespace {

struct FocusCase {
  const char* name;
  std::vector<std::string> keys;  // pressed before Space
  GuideWindow opened;
};
void PrintTo(const FocusCase& c, std::ostream* out) { *out << c.name; }

class FocusTest : public GuideTest, public ::testing::WithParamInterface<FocusCase> {};

TEST_P(FocusTest, SpaceClicksTheFocusedButtonOnly) {
  ASSERT_TRUE(becomesActive(mainWindow()));
  std::vector<std::string> keys = GetParam().keys;
  keys.push_back("space");
  display().pressKeys(keys);

  ASSERT_TRUE(waitUntil([&] { return run().windows().size() >= 2; })) << "Space opened no window";
  settle();
  const auto windows = run().windows();
  ASSERT_EQ(windows.size(), 2u) << "one window should have opened, but the program has " << run().describe(windows);
  // The windows differ in size, so the place tells which one it is.
  EXPECT_TRUE(becomesOuterRect(windows[1], centredRect(GetParam().opened, 1920, 1080)))
      << "expected " << ::testing::PrintToString(GetParam().opened);
}

using enum GuideWindow;
INSTANTIATE_TEST_SUITE_P(
    KeysBeforeSpace, FocusTest,
    ::testing::Values(FocusCase{"FirstFocusOnBiostarButton", {}, BiostarGuide},
                      FocusCase{"TabToMsiButton", {"Tab"}, MsiGuide},
                      FocusCase{"TabTwiceToGigabyteButton", {"Tab", "Tab"}, GigabyteGuide},
                      FocusCase{"TabThriceToBiosButton", {"Tab", "Tab", "Tab"}, BiosIntro},
                      FocusCase{"TabFourTimesToAsusButton", {"Tab", "Tab", "Tab", "Tab"}, AsusGuide},
                      FocusCase{"TabFromAsusButtonWrapsToBiostarButton", {"Tab", "Tab", "Tab", "Tab", "Tab"},
                                BiostarGuide},
                      FocusCase{"ShiftTabFromBiostarButtonWrapsToAsusButton", {"shift+Tab"}, AsusGuide},
                      FocusCase{"ShiftTabGoesBack", {"Tab", "Tab", "shift+Tab"}, MsiGuide},
                      // Had Enter clicked the focused button, BiostarGuide would be open and
                      // have the focus, and the Tab and Space after it would not reach MainWindow.
                      FocusCase{"EnterClicksNothing", {"Return", "Tab"}, MsiGuide},
                      // No caption holds a mnemonic, so Alt with a letter clicks nothing either.
                      FocusCase{"AltLetterClicksNothing", {"alt+b", "alt+a", "Tab"}, MsiGuide}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GuideTest, EscapeClosesMainWindowWhileAButtonHasTheFocus) {
  ASSERT_TRUE(becomesActive(mainWindow()));
  display().pressKeys({"Tab", "Escape"});
  EXPECT_TRUE(closes(mainWindow()));
  EXPECT_TRUE(exitsWithStatus0());
}

TEST_F(GuideTest, FocusReturnsToTheButtonThatHadItWhenMainWindowIsActivatedAgain) {
  ASSERT_TRUE(becomesActive(mainWindow()));
  display().pressKeys({"Tab", "Tab", "space"});  // 技嘉主板
  ASSERT_TRUE(waitUntil([&] { return run().windows().size() == 2; })) << "Space opened no window";
  const Window gigabyte = run().windows()[1];
  ASSERT_TRUE(becomesOuterRect(gigabyte, centredRect(GigabyteGuide, 1920, 1080)));
  ASSERT_TRUE(becomesActive(gigabyte));

  ASSERT_TRUE(run().bringToFront(mainWindow()));
  display().pressKeys({"space"});
  EXPECT_TRUE(becomesActive(gigabyte)) << "Space should have clicked 技嘉主板 again";
  settle();
  EXPECT_TRUE(windowsAre({mainWindow(), gigabyte}));
}

TEST_F(GuideTest, GuideWindowIgnoresTabShiftTabAndEnterAndClosesOnEscape) {
  const Window biostar = run().open(GuideWindow::BiostarGuide);
  ASSERT_NE(biostar, None) << "映泰主板 opened no window";
  ASSERT_TRUE(becomesActive(biostar));

  display().pressKeys({"Tab", "shift+Tab", "Return"});
  settle();
  EXPECT_TRUE(windowsAre({mainWindow(), biostar}));
  EXPECT_EQ(display().activeWindow(), biostar) << "the keys moved the focus out of BiostarGuide";

  display().pressKeys({"Escape"});
  EXPECT_TRUE(closes(biostar));
  EXPECT_TRUE(windowsAre({mainWindow()}));
  EXPECT_TRUE(run().process().running());
}

}  // namespace
}  // namespace vtg::e2e
