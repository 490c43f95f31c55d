// The top-level window as the desktop sees it: its outer rectangle and place on the screen,
// its title bar (no text, the program icon, only Move and Close), and the three ways a user
// closes it.

#include <algorithm>
#include <chrono>
#include <thread>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "GuideTest.h"

namespace vtg::e2e {
namespace {

// The title as a user would read it: without blanks and without the invisible characters
// (zero-width space and its kin) that a program may use to keep a title empty, and without
// the escape sequences that frame UTF-8 in COMPOUND_TEXT.
std::string visibleText(std::string s) {
  for (const char* invisible : {"\x1B%G", "\x1B%@", "\xE2\x80\x8B", "\xE2\x80\x8C", "\xE2\x80\x8D", "\xE2\x81\xA0",
                                "\xEF\xBB\xBF"})
    for (auto at = s.find(invisible); at != std::string::npos; at = s.find(invisible))
      s.erase(at, std::string_view(invisible).size());
  std::erase_if(s, [](unsigned char c) { return std::isspace(c); });
  return s;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

TEST_F(GuideTest, MainWindowHasItsStoredOuterSizeCentredOnTheScreen) {
  // (1920 - 651) / 2 = 634, (1080 - 693) / 2 = 193; the frame and title bar are part of 651 x 693.
  EXPECT_TRUE(becomesOuterRect(mainWindow(), {634, 193, 651, 693}));
  const auto frame = display().frameExtents(mainWindow());
  ASSERT_TRUE(frame);
  EXPECT_GT(frame->top, frame->bottom) << "the window should have a title bar";
}

TEST_F(GuideTest, FirstWindowOfARunAppearsInItsFinalPlaceAndSize) {
  // A run of its own, watched from the moment its window is managed: the first window of a
  // run must not show at one place or size and then jump once its frame is known.
  GuideRun fresh(display(), VTGUIDE_BINARY);
  Window window = None;
  ASSERT_TRUE(waitUntil([&] {
    const auto windows = fresh.windows();
    if (!windows.empty()) window = windows.front();
    return window != None;
  }));
  std::vector<Rect> seen;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
  while (std::chrono::steady_clock::now() < until) {
    if (const auto client = display().clientRect(window); client && (seen.empty() || seen.back() != *client))
      seen.push_back(*client);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  const auto frame = display().frameExtents(window);
  ASSERT_TRUE(frame);
  // The outer rectangle is (634, 193, 651, 693) on this 1920 x 1080 screen.
  const Rect expected{634 + frame->left, 193 + frame->top, 651 - frame->left - frame->right,
                      693 - frame->top - frame->bottom};
  ASSERT_FALSE(seen.empty());
  for (const Rect& r : seen) EXPECT_EQ(r, expected) << "client area seen elsewhere on the way";
}

TEST_F(GuideTest, TitleBarShowsNoTextAndTheProgramIcon) {
  for (const char* property : {"_NET_WM_NAME", "WM_NAME"})
    EXPECT_EQ(visibleText(display().textProperty(mainWindow(), property).value_or("")), "")
        << "the title (" << property << ") should show no text";

  // What openbox draws: between the icon at the left and the buttons at the right, every
  // row of the title bar is one colour unless there is text in it.
  const auto outer = display().outerRect(mainWindow());
  const auto frame = display().frameExtents(mainWindow());
  ASSERT_TRUE(outer && frame);
  const int barHeight = frame->top;
  const Pixels bar =
      run().settledGrab({outer->x + 2 * barHeight, outer->y + 2, outer->width - 6 * barHeight, barHeight - 4});
  ASSERT_GT(bar.width, 0);
  int rowsWithText = 0;
  for (int y = 0; y < bar.height; ++y)
    for (int x = 1; x < bar.width; ++x)
      if (bar.at(x, y) != bar.at(0, y)) {
        ++rowsWithText;
        break;
      }
  EXPECT_EQ(rowsWithText, 0) << "the title bar shows something between its icon and its buttons";

  const auto icons = display().iconSizes(mainWindow());
  for (const auto& size : {std::pair{16, 16}, std::pair{32, 32}})
    EXPECT_NE(std::find(icons.begin(), icons.end(), size), icons.end())
        << "the window icon should come in " << size.first << "x" << size.second;
}

TEST_F(GuideTest, FrameIsFixedWithOnlyMoveAndCloseAndHasATaskbarEntry) {
  // What openbox allows follows from the size limits and hints the window gives it.
  const auto actions = display().atomListProperty(mainWindow(), "_NET_WM_ALLOWED_ACTIONS");
  ASSERT_FALSE(actions.empty()) << "openbox publishes no allowed actions for MainWindow";
  EXPECT_TRUE(contains(actions, "_NET_WM_ACTION_CLOSE"));
  EXPECT_TRUE(contains(actions, "_NET_WM_ACTION_MOVE"));
  for (const char* refused : {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
    EXPECT_FALSE(contains(actions, refused)) << refused << " should not be offered for a fixed frame";

  // An ordinary window with a taskbar entry of its own.
  EXPECT_EQ(display().atomListProperty(mainWindow(), "_NET_WM_WINDOW_TYPE"),
            std::vector<std::string>{"_NET_WM_WINDOW_TYPE_NORMAL"});
  EXPECT_FALSE(contains(display().atomListProperty(mainWindow(), "_NET_WM_STATE"), "_NET_WM_STATE_SKIP_TASKBAR"));
}

TEST_F(GuideTest, TwoWindowsOpenedOneAfterTheOtherAreBothCentredTheLaterOnTop) {
  const Window biostar = run().open(GuideWindow::BiostarGuide);
  ASSERT_NE(biostar, None) << "映泰主板 opened no window";
  const Window msi = run().open(GuideWindow::MsiGuide);
  ASSERT_NE(msi, None) << "微星主板 opened no window";

  EXPECT_TRUE(becomesOuterRect(biostar, centredRect(GuideWindow::BiostarGuide, 1920, 1080)));
  EXPECT_TRUE(becomesOuterRect(msi, centredRect(GuideWindow::MsiGuide, 1920, 1080)));
  EXPECT_TRUE(comesOnTop(msi));
  EXPECT_TRUE(becomesActive(msi));
  const auto stack = display().stackingOrder();
  EXPECT_LT(std::find(stack.begin(), stack.end(), biostar), std::find(stack.begin(), stack.end(), msi))
      << "MsiGuide should cover BiostarGuide; the stack (bottom first) is " << run().describe(stack);
}

class ClosingTest : public GuideTest, public ::testing::WithParamInterface<CloseWith> {};

TEST_P(ClosingTest, ClosesAGuideWindowThenMainWindowAndTheProgramEnds) {
  const Window guide = run().open(GuideWindow::BiostarGuide);
  ASSERT_NE(guide, None) << "映泰主板 opened no window";

  run().close(guide, GetParam());
  ASSERT_TRUE(closes(guide));
  EXPECT_TRUE(windowsAre({mainWindow()}));
  EXPECT_TRUE(run().process().running()) << "closing a guide window must not end the program";

  run().close(mainWindow(), GetParam());
  EXPECT_TRUE(closes(mainWindow()));
  EXPECT_TRUE(exitsWithStatus0());
}

INSTANTIATE_TEST_SUITE_P(EachWay, ClosingTest,
                         ::testing::Values(CloseWith::Escape, CloseWith::AltF4, CloseWith::CloseButton),
                         [](const auto& info) { return ::testing::PrintToString(info.param); });

TEST_F(SmallScreenTest, MsiGuideTallerThanTheScreenIsCentredWithItsTitleBarAboveTheTop) {
  const Window msi = run().open(GuideWindow::MsiGuide);
  ASSERT_NE(msi, None) << "微星主板 opened no window";
  // (1366 - 815) / 2 = 275 and (768 - 869) / 2 = -50.
  EXPECT_TRUE(becomesOuterRect(msi, {275, -50, 815, 869}));
}

}  // namespace
}  // namespace vtg::e2e
