#include "Screenshots.h"

#include <sys/wait.h>

#include <filesystem>
#include <iostream>

#include "GuideRun.h"
#include "Harness.h"

namespace vtg::e2e {
namespace {

bool saveWindow(GuideRun& run, Window w, GuideWindow which, const std::filesystem::path& folder) {
  const char* name = factsOf(which).name;
  if (!run.bringToFront(w)) {
    std::cerr << name << " cannot be brought to the front\n";
    return false;
  }
  const auto outer = run.display().outerRect(w);
  if (!outer) {
    std::cerr << name << " has no frame\n";
    return false;
  }
  const auto file = folder / (std::string(name) + ".png");
  if (!run.settledGrab(*outer).savePng(file)) {
    std::cerr << "cannot write " << file.string() << "\n";
    return false;
  }
  std::cout << file.string() << "\n";
  return true;
}

}  // namespace

int saveScreenshots(const std::string& binary, const std::string& outputFolder) {
  const std::filesystem::path folder = std::filesystem::absolute(outputFolder);
  try {
    std::filesystem::create_directories(folder);
    VirtualDisplay display(1920, 1080);
    display.moveMouse({display.width() - 1, display.height() - 1});
    GuideRun run(display, std::filesystem::absolute(binary).string());
    const Window main = run.waitForMainWindow();
    if (main == None) {
      std::cerr << "MainWindow did not appear. The program's output:\n" << run.output();
      return 1;
    }
    bool ok = saveWindow(run, main, GuideWindow::MainWindow, folder);
    // One guide window at a time, each closed before the next, so none covers another
    // and every button stays in reach.
    for (GuideWindow guide : guideWindows()) {
      const Window w = run.open(guide);
      if (w == None) {
        std::cerr << "the button of " << factsOf(guide).name << " opened no window\n";
        ok = false;
        continue;
      }
      ok = saveWindow(run, w, guide, folder) && ok;
      run.close(w, CloseWith::Escape);
      if (!run.waitUntilGone(w)) {
        std::cerr << factsOf(guide).name << " did not close on Escape\n";
        ok = false;
      }
    }
    run.close(main, CloseWith::Escape);
    const auto status = run.process().waitForExit();
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
      std::cerr << "the program did not end with status 0 after its last window: "
                << (status ? describeStatus(*status) : "it is still running") << "\n";
      ok = false;
    }
    std::cout << (ok ? "Screenshots of all six windows are in " : "Some screenshots are missing from ")
              << folder.string() << "\n";
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::cerr << "screenshots: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace vtg::e2e
