#pragma once
// Runs the built program the way a user meets it: on a virtual X server (Xvfb) with a real
// window manager (openbox), driven by real input (xdotool) and watched through X11 itself:
// the window manager's client list, frame extents, active window and stacking order, the
// properties the program sets, and the pixels on the screen.
//
// Everything started here lives in its own process group and is killed with it when its
// owner goes, also when a test fails half-way.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <X11/Xlib.h>

namespace vtg::e2e {

using namespace std::chrono_literals;

// Long enough for a debug build on a busy two-core machine; the tests only ever wait for
// something that should happen, so the time-out costs nothing when all is well.
inline constexpr std::chrono::milliseconds kPatience = 10s;

// Polls `done` until it holds or `timeout` has passed; returns whether it held.
template <class Condition>
bool waitUntil(Condition done, std::chrono::milliseconds timeout = kPatience) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

// Whether a program of that name can be found on PATH.
bool onPath(const std::string& program);

// "exited with 0", "killed by signal 9", from a waitpid status.
std::string describeStatus(int waitStatus);

// A child process in a process group of its own.
class Process {
 public:
  struct Options {
    std::vector<std::string> argv;
    // Variables to set (a value) or to remove (no value) on top of this process's own.
    std::vector<std::pair<std::string, std::optional<std::string>>> environment;
    std::filesystem::path workingDirectory;  // empty: this process's own
    std::filesystem::path outputFile;        // stdout and stderr go here; empty: /dev/null
    int inheritedFd = -1;                    // a descriptor the child keeps open
  };

  // Starts the program; throws std::runtime_error when it cannot be started.
  explicit Process(const Options& options);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  bool running();
  // Waits for the process to end by itself; gives its waitpid status, or nothing on time-out.
  std::optional<int> waitForExit(std::chrono::milliseconds timeout = kPatience);
  // Ends the whole process group: SIGTERM, then SIGKILL to what is left.
  void stop();

 private:
  bool reap(bool block);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
  Point centre() const { return {x + width / 2, y + height / 2}; }
};
std::ostream& operator<<(std::ostream& out, const Point& p);
std::ostream& operator<<(std::ostream& out, const Rect& r);

// How much the window manager's frame adds on each side of a client window.
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// Screen pixels as 0xRRGGBB, row by row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;

  std::uint32_t at(int x, int y) const { return rgb[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
  bool savePng(const std::filesystem::path& file) const;
};

// A scratch folder that is removed with everything in it when the object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// An X server of a given screen size with openbox managing it, and a connection to it.
class VirtualDisplay {
 public:
  // Starts both and waits until openbox manages windows; throws std::runtime_error when
  // either cannot be started.
  VirtualDisplay(int width, int height);
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  const std::string& name() const { return name_; }  // ":N", for DISPLAY
  int width() const { return width_; }
  int height() const { return height_; }
  // Whether the server and the window manager are both still there.
  bool healthy();

  // --- what the window manager and the clients publish

  // The managed top-level windows of a process, in the order they were first managed.
  std::vector<Window> clientWindows(pid_t pid);
  // The managed windows of all processes from the bottom of the stack to the top.
  std::vector<Window> stackingOrder();
  Window activeWindow();
  // The client window's own area, in root coordinates.
  std::optional<Rect> clientRect(Window w);
  std::optional<FrameExtents> frameExtents(Window w);
  // Client area plus frame: what the user sees of the window on the screen.
  std::optional<Rect> outerRect(Window w);
  // A text property (UTF8_STRING, STRING or COMPOUND_TEXT as bytes); nothing when it is not set.
  std::optional<std::string> textProperty(Window w, const char* property);
  std::vector<std::string> atomListProperty(Window w, const char* property);
  // Width and height of each image in _NET_WM_ICON.
  std::vector<std::pair<int, int>> iconSizes(Window w);
  bool isMinimised(Window w);
  bool isViewable(Window w);

  // --- pixels

  // The part of the screen inside `area` (clipped to the screen) as it looks now.
  Pixels grab(const Rect& area);
  Pixels grabScreen() { return grab({0, 0, width_, height_}); }

  // --- real input, through xdotool (XTEST), so it goes where a user's input would go

  void click(Point at);
  // Key presses for the focused window, in xdotool's names ("Tab", "shift+Tab", "alt+F4").
  void pressKeys(const std::vector<std::string>& keys);
  void moveMouse(Point to);
  // Asks the window manager to activate the window, as a pager or a taskbar does.
  void requestActivation(Window w);
  void requestMinimise(Window w);
  void requestMove(Window w, Point to);

 private:
  void xdotool(const std::vector<std::string>& args);
  Atom atom(const char* name);
  Display* x() const { return connection_.get(); }

  struct CloseConnection {
    void operator()(Display* d) const { XCloseDisplay(d); }
  };

  int width_;
  int height_;
  std::string name_;
  TempDir scratch_{"vtguide-e2e-display"};
  std::optional<Process> server_;
  std::optional<Process> windowManager_;
  std::unique_ptr<Display, CloseConnection> connection_;
};

}  // namespace vtg::e2e
