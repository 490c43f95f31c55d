#include "GuideTest.h"

#include <algorithm>
#include <iostream>
#include <sys/wait.h>

namespace vtg::e2e {

void GuideTest::SetUp() {
  for (const char* tool : {"Xvfb", "openbox", "xdotool"})
    if (!onPath(tool)) GTEST_SKIP() << tool << " is not installed on this machine";

  const ScreenSize size = screenSize();
  const bool fits = suiteDisplay_ && suiteDisplay_->width() == size.width && suiteDisplay_->height() == size.height;
  if (!fits || !suiteDisplay_->healthy()) suiteDisplay_.reset();
  if (!suiteDisplay_) suiteDisplay_ = std::make_unique<VirtualDisplay>(size.width, size.height);
  // The pointer rests in a corner no window reaches, out of the way of hover effects and
  // screenshots.
  suiteDisplay_->moveMouse({size.width - 1, size.height - 1});

  ASSERT_TRUE(startFailure_.empty()) << "the program did not show MainWindow in " << startFailure_;
  run_.emplace(*suiteDisplay_, VTGUIDE_BINARY);
  if (run_->waitForMainWindow() == None) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    startFailure_ = std::string(info->test_suite_name()) + "." + info->name();
    FAIL() << "MainWindow did not appear; the program " << (run_->process().running() ? "is still running" : "ended")
           << ". Its output:\n"
           << run_->output();
  }
}

void GuideTest::TearDown() {
  if (HasFailure() && suiteDisplay_) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    std::replace(name.begin(), name.end(), '/', '_');
    const auto file = std::filesystem::current_path() / kFailureFolder / (name + ".png");
    if (suiteDisplay_->grabScreen().savePng(file)) std::cerr << "The screen at the failure: " << file.string() << "\n";
    if (run_ && !run_->output().empty()) std::cerr << "The program's output:\n" << run_->output() << "\n";
  }
  run_.reset();
}

void GuideTest::TearDownTestSuite() { suiteDisplay_.reset(); }

void GuideTest::settle() { std::this_thread::sleep_for(600ms); }

::testing::AssertionResult GuideTest::becomesOuterRect(Window w, const Rect& expected) {
  std::optional<Rect> seen;
  if (waitUntil([&] { return (seen = display().outerRect(w)) == expected; })) return ::testing::AssertionSuccess();
  auto result = ::testing::AssertionFailure() << run().describe(w) << " should have the outer rectangle " << expected
                                              << ", but has ";
  if (seen)
    result << *seen;
  else
    result << "none (not managed)";
  return result;
}

::testing::AssertionResult GuideTest::becomesActive(Window w) {
  if (waitUntil([&] { return display().activeWindow() == w; })) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << run().describe(w) << " should be the active window, but "
                                       << run().describe(display().activeWindow()) << " is";
}

::testing::AssertionResult GuideTest::comesOnTop(Window w) {
  if (waitUntil([&] { return run().topWindow() == w; })) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << run().describe(w) << " should be on top, but the stack (bottom first) is "
                                       << run().describe(display().stackingOrder());
}

::testing::AssertionResult GuideTest::closes(Window w) {
  if (run().waitUntilGone(w)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << run().describe(w) << " should have closed, but is still there";
}

::testing::AssertionResult GuideTest::exitsWithStatus0() {
  const auto status = run().process().waitForExit();
  if (!status)
    return ::testing::AssertionFailure() << "the program should have ended, but it is still running with the windows "
                                         << run().describe(run().windows());
  if (WIFEXITED(*status) && WEXITSTATUS(*status) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the program should exit with 0, but " << describeStatus(*status);
}

::testing::AssertionResult GuideTest::windowsAre(const std::vector<Window>& expected) {
  std::vector<Window> seen;
  if (waitUntil([&] { return (seen = run().windows()) == expected; })) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the program's windows should be " << run().describe(expected) << ", but are "
                                       << run().describe(seen)
                                       << (run().process().running() ? "" : " (the program has ended)");
}

}  // namespace vtg::e2e
