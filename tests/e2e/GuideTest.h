#pragma once
// The fixture of the end-to-end tests: one virtual display per test suite (starting X and
// openbox costs more than a test), a fresh run of the program for every test, and checks
// that wait for what the user would see and say what they saw instead.
//
// On a failure the screen is saved to e2e-failures/<suite>.<test>.png under the working
// folder, and the program's own output is printed.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "GuideRun.h"
#include "Harness.h"

namespace vtg::e2e {

// Where the screens at failures go, under the working folder; each run starts it afresh.
inline constexpr const char* kFailureFolder = "e2e-failures";

class GuideTest : public ::testing::Test {
 protected:
  struct ScreenSize {
    int width;
    int height;
  };
  virtual ScreenSize screenSize() const { return {1920, 1080}; }

  void SetUp() override;
  void TearDown() override;
  static void TearDownTestSuite();

  VirtualDisplay& display() { return *suiteDisplay_; }
  GuideRun& run() { return *run_; }
  Window mainWindow() const { return run_->mainWindow(); }

  // Each waits up to the harness's patience for the state to come about, and reports the
  // state last seen when it does not.
  ::testing::AssertionResult becomesOuterRect(Window w, const Rect& expected);
  ::testing::AssertionResult becomesActive(Window w);
  ::testing::AssertionResult comesOnTop(Window w);
  ::testing::AssertionResult closes(Window w);
  ::testing::AssertionResult exitsWithStatus0();
  // The program's windows are exactly these, oldest first; waits for it.
  ::testing::AssertionResult windowsAre(const std::vector<Window>& expected);

  // For checks that something does NOT happen: time for a wrong reaction to show.
  static void settle();

 private:
  static inline std::unique_ptr<VirtualDisplay> suiteDisplay_;
  // Set when the program could not even show MainWindow: the tests after it then fail at
  // once instead of each waiting out its time.
  static inline std::string startFailure_;
  std::optional<GuideRun> run_;
};

// The same fixture on a screen smaller than the tallest guide window.
class SmallScreenTest : public GuideTest {
 protected:
  ScreenSize screenSize() const override { return {1366, 768}; }
};

}  // namespace vtg::e2e
