// The end-to-end test program. With --screenshots it instead runs the guide on a virtual
// display, opens every window through its button and saves a PNG of each one:
//
//   e2e_tests --screenshots <path of vtguide> <output folder>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "GuideTest.h"
#include "Screenshots.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--screenshots") == 0) {
    if (argc != 4) {
      std::cerr << "usage: " << argv[0] << " --screenshots <path of vtguide> <output folder>\n";
      return 2;
    }
    return vtg::e2e::saveScreenshots(argv[2], argv[3]);
  }
  ::testing::InitGoogleTest(&argc, argv);
  std::error_code ignored;
  std::filesystem::remove_all(vtg::e2e::kFailureFolder, ignored);
  return RUN_ALL_TESTS();
}
