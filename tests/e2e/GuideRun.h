#pragma once
// What the end-to-end tests and the screenshot tool know about the guide itself: its six
// windows with their outer sizes and the MainWindow buttons that open them, and one run of
// the built program on a virtual display, with the steps a user takes (click a button, bring
// a window forward, close it).

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Harness.h"

namespace vtg::e2e {

enum class GuideWindow { MainWindow, BiostarGuide, MsiGuide, GigabyteGuide, BiosIntro, AsusGuide };

struct WindowFacts {
  GuideWindow window;
  const char* name;
  int width;   // outer size, frame and title bar included
  int height;
  Rect button;  // the MainWindow button that opens it, in MainWindow's client coordinates
};

const WindowFacts& factsOf(GuideWindow w);
// The five windows that MainWindow's buttons open, in the Tab order of their buttons.
const std::vector<GuideWindow>& guideWindows();
// Where the window's outer rectangle belongs on a screen of that size: centred, the
// division truncating towards zero, so a window larger than the screen gets a negative
// coordinate.
Rect centredRect(GuideWindow w, int screenWidth, int screenHeight);
void PrintTo(GuideWindow w, std::ostream* out);

enum class CloseWith { Escape, AltF4, CloseButton };
void PrintTo(CloseWith how, std::ostream* out);

// The built program, started on a virtual display with a home and working folder of its
// own, and stopped (with its whole process group) when the object goes.
class GuideRun {
 public:
  GuideRun(VirtualDisplay& display, const std::string& binary);
  ~GuideRun();

  VirtualDisplay& display() { return display_; }
  Process& process() { return *process_; }
  // Whatever has appeared in the program's home (with its settings and data folders) and in
  // its working folder since it started; all of them begin empty.
  std::vector<std::filesystem::path> filesWritten() const;
  std::string output() const;

  // Waits for MainWindow to be managed and viewable; None if it never appears.
  Window waitForMainWindow();
  Window mainWindow() const { return main_; }
  // The program's managed top-level windows, oldest first.
  std::vector<Window> windows() { return display_.clientWindows(process_->pid()); }
  // "MsiGuide 0x400025" for the windows this run opened, the bare id for any other.
  std::string describe(Window w) const;
  std::string describe(const std::vector<Window>& ws) const;

  // Where the centre of a MainWindow button is on the screen now.
  std::optional<Point> buttonCentre(GuideWindow guide);
  // Brings MainWindow forward the way a user does before using a button that another
  // window may cover, then clicks the button.
  bool clickButtonOf(GuideWindow guide);
  // Clicks the button and waits for the window it opens: a managed, viewable window that
  // was not there before. None when nothing new appears.
  Window open(GuideWindow guide);
  // Asks the window manager to activate the window and waits until it is active and on top.
  bool bringToFront(Window w);
  // Where openbox's close button is: the last button at the right end of the title bar,
  // about as wide as the title bar is high.
  std::optional<Point> closeButtonCentre(Window w);
  // Brings the window forward and closes it as a user would.
  void close(Window w, CloseWith how);
  bool waitUntilGone(Window w);

  // The window on top of the whole stack, or None.
  Window topWindow();
  // Waits until the screen inside `area` stops changing (painting has finished) and gives it.
  Pixels settledGrab(const Rect& area);

 private:
  VirtualDisplay& display_;
  TempDir scratch_{"vtguide-e2e-run"};
  std::optional<Process> process_;
  Window main_ = None;
  std::map<Window, GuideWindow> known_;
};

}  // namespace vtg::e2e
