// The in-process GUI tests run on Qt's offscreen platform with one application object.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/FontConfiguration.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  // Death tests fork; "threadsafe" re-runs the binary so the child has a clean toolkit.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The fonts as the program itself sets them up, so text is laid out as it shows.
  vtg::platform::useOwnFontConfiguration();
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  return RUN_ALL_TESTS();
}
