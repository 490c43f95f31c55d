// The whole guide as a user goes through it: each button opens its window once, centred
// and in front; a second click brings the open window back instead of building another;
// windows close in any order, and the program ends only after the last one.

#include <algorithm>
#include <map>

#include "GuideTest.h"

namespace vtg::e2e {
namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

Rect centred(GuideWindow w) { return centredRect(w, kScreenWidth, kScreenHeight); }

class OpeningTest : public GuideTest, public ::testing::WithParamInterface<GuideWindow> {};

TEST_P(OpeningTest, ButtonOpensItsWindowCentredActiveAndInFrontBesideMainWindow) {
  const Window opened = run().open(GetParam());
  ASSERT_NE(opened, None) << "the button opened no window";
  EXPECT_TRUE(becomesOuterRect(opened, centred(GetParam())));
  EXPECT_TRUE(becomesActive(opened));
  EXPECT_TRUE(comesOnTop(opened));
  EXPECT_TRUE(windowsAre({mainWindow(), opened})) << "MainWindow stays open beside the guide window";
}

INSTANTIATE_TEST_SUITE_P(EachButton, OpeningTest, ::testing::ValuesIn(guideWindows()),
                         [](const auto& info) { return ::testing::PrintToString(info.param); });

TEST_F(GuideTest, SecondClickBringsTheOpenWindowToTheFrontAndBuildsNoOther) {
  const Window msi = run().open(GuideWindow::MsiGuide);
  ASSERT_NE(msi, None) << "微星主板 opened no window";

  // The user comes back to MainWindow, which now covers MsiGuide, and clicks 微星主板 again.
  ASSERT_TRUE(run().clickButtonOf(GuideWindow::MsiGuide));
  EXPECT_TRUE(comesOnTop(msi));
  EXPECT_TRUE(becomesActive(msi));
  settle();
  EXPECT_TRUE(windowsAre({mainWindow(), msi}));
}

TEST_F(GuideTest, MinimisedGuideWindowIsRestoredByItsButton) {
  const Window biostar = run().open(GuideWindow::BiostarGuide);
  ASSERT_NE(biostar, None) << "映泰主板 opened no window";
  display().requestMinimise(biostar);
  ASSERT_TRUE(waitUntil([&] { return display().isMinimised(biostar); })) << "openbox did not minimise BiostarGuide";

  ASSERT_TRUE(run().clickButtonOf(GuideWindow::BiostarGuide));
  EXPECT_TRUE(waitUntil([&] { return !display().isMinimised(biostar) && display().isViewable(biostar); }))
      << "BiostarGuide is still minimised";
  EXPECT_TRUE(becomesOuterRect(biostar, centred(GuideWindow::BiostarGuide)));
  settle();
  EXPECT_TRUE(windowsAre({mainWindow(), biostar}));
}

TEST_F(GuideTest, ClosedGuideWindowReopensCentredAfterItWasMoved) {
  const Window first = run().open(GuideWindow::BiostarGuide);
  ASSERT_NE(first, None) << "映泰主板 opened no window";
  display().requestMove(first, {40, 30});
  ASSERT_TRUE(waitUntil([&] {
    const auto r = display().outerRect(first);
    return r && r->x != centred(GuideWindow::BiostarGuide).x;
  })) << "openbox did not move BiostarGuide";

  run().close(first, CloseWith::Escape);
  ASSERT_TRUE(closes(first));
  const Window second = run().open(GuideWindow::BiostarGuide);
  ASSERT_NE(second, None) << "映泰主板 opened no window the second time";
  EXPECT_TRUE(becomesOuterRect(second, centred(GuideWindow::BiostarGuide)));
  EXPECT_TRUE(becomesActive(second));
}

struct CloseOrder {
  const char* name;
  std::vector<GuideWindow> order;
};
void PrintTo(const CloseOrder& c, std::ostream* out) { *out << c.name; }

class CloseOrderTest : public GuideTest, public ::testing::WithParamInterface<CloseOrder> {};

TEST_P(CloseOrderTest, AllSixWindowsOpenAtOnceAndTheProgramEndsAfterTheLastCloses) {
  std::map<GuideWindow, Window> windows = {{GuideWindow::MainWindow, mainWindow()}};
  std::vector<Window> open = {mainWindow()};
  for (GuideWindow guide : guideWindows()) {
    const Window w = run().open(guide);
    ASSERT_NE(w, None) << "the button of " << ::testing::PrintToString(guide) << " opened no window";
    EXPECT_TRUE(becomesOuterRect(w, centred(guide)));
    windows[guide] = w;
    open.push_back(w);
  }
  ASSERT_TRUE(windowsAre(open));

  for (std::size_t i = 0; i < GetParam().order.size(); ++i) {
    const Window w = windows.at(GetParam().order[i]);
    run().close(w, CloseWith::Escape);
    ASSERT_TRUE(closes(w));
    open.erase(std::find(open.begin(), open.end(), w));
    if (open.empty()) break;
    settle();
    ASSERT_TRUE(run().process().running())
        << "the program ended with " << run().describe(open) << " still open: "
        << describeStatus(run().process().waitForExit(0ms).value_or(0));
    EXPECT_TRUE(windowsAre(open));
  }
  EXPECT_TRUE(exitsWithStatus0());
}

using enum GuideWindow;
INSTANTIATE_TEST_SUITE_P(
    Orders, CloseOrderTest,
    ::testing::Values(
        CloseOrder{"MainWindowFirst", {MainWindow, BiostarGuide, MsiGuide, GigabyteGuide, BiosIntro, AsusGuide}},
        CloseOrder{"MainWindowInTheMiddle", {MsiGuide, AsusGuide, MainWindow, BiosIntro, BiostarGuide, GigabyteGuide}},
        CloseOrder{"NewestFirst", {AsusGuide, BiosIntro, GigabyteGuide, MsiGuide, BiostarGuide, MainWindow}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GuideTest, ANormalRunWritesNoFile) {
  const Window guide = run().open(GuideWindow::GigabyteGuide);
  ASSERT_NE(guide, None) << "技嘉主板 opened no window";
  run().close(guide, CloseWith::Escape);
  ASSERT_TRUE(closes(guide));
  run().close(mainWindow(), CloseWith::Escape);
  ASSERT_TRUE(exitsWithStatus0());

  for (const auto& file : run().filesWritten()) ADD_FAILURE() << "the program wrote " << file.string();
}

}  // namespace
}  // namespace vtg::e2e
