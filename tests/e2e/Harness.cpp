// Qt first: X11 headers define macros (Status, CursorShape, ...) that clash with its names.
#include <QImage>

#include "Harness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

extern char** environ;

namespace vtg::e2e {
namespace {

std::runtime_error failure(const std::string& what) { return std::runtime_error(what); }

// Windows come and go while the tests look at them; a request about a window that has just
// gone is an ordinary answer here ("not there"), not a reason to end the test program, which
// is what Xlib's default handler does.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

std::vector<std::string> mergedEnvironment(const Process::Options& options) {
  std::map<std::string, std::string> vars;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const auto eq = entry.find('=');
    if (eq != std::string::npos) vars[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [name, value] : options.environment) {
    if (value)
      vars[name] = *value;
    else
      vars.erase(name);
  }
  std::vector<std::string> out;
  for (const auto& [name, value] : vars) out.push_back(name + "=" + value);
  return out;
}

}  // namespace

bool onPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string dirs = path;
  std::size_t start = 0;
  while (start <= dirs.size()) {
    const auto end = std::min(dirs.find(':', start), dirs.size());
    const std::filesystem::path candidate = std::filesystem::path(dirs.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string describeStatus(int waitStatus) {
  if (WIFEXITED(waitStatus)) return "exited with " + std::to_string(WEXITSTATUS(waitStatus));
  if (WIFSIGNALED(waitStatus)) return "killed by signal " + std::to_string(WTERMSIG(waitStatus));
  return "ended with wait status " + std::to_string(waitStatus);
}

// ---------------------------------------------------------------------------------------------
// Process

Process::Process(const Options& options) {
  if (options.argv.empty()) throw failure("no program to start");
  // Everything the child needs is prepared here: between fork and exec only plain system
  // calls are safe.
  const std::vector<std::string> envStrings = mergedEnvironment(options);
  std::vector<char*> envp;
  for (const auto& s : envStrings) envp.push_back(const_cast<char*>(s.c_str()));
  envp.push_back(nullptr);
  std::vector<char*> argv;
  for (const auto& s : options.argv) argv.push_back(const_cast<char*>(s.c_str()));
  argv.push_back(nullptr);
  const std::string output = options.outputFile.empty() ? "/dev/null" : options.outputFile.string();
  const std::string workDir = options.workingDirectory.string();

  // The child reports a failed exec through this pipe; a successful exec closes it.
  int execError[2];
  if (pipe2(execError, O_CLOEXEC) != 0) throw failure("pipe: " + std::string(std::strerror(errno)));

  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) {
    close(execError[0]);
    close(execError[1]);
    throw failure("fork: " + std::string(std::strerror(errno)));
  }
  if (pid_ == 0) {
    setpgid(0, 0);
    // The child goes with this process even when it is killed without a chance to clean
    // up (a time-out of the test runner, Ctrl+C), so no X server is left behind.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    int err = 0;
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (out >= 0) {
      dup2(out, STDOUT_FILENO);
      dup2(out, STDERR_FILENO);
      if (out > STDERR_FILENO) close(out);
    }
    const int in = open("/dev/null", O_RDONLY);
    if (in >= 0 && in != STDIN_FILENO) {
      dup2(in, STDIN_FILENO);
      close(in);
    }
    if (options.inheritedFd >= 0) fcntl(options.inheritedFd, F_SETFD, 0);
    if (!workDir.empty() && chdir(workDir.c_str()) != 0) err = errno;
    if (err == 0) {
      execvpe(argv[0], argv.data(), envp.data());
      err = errno;
    }
    (void)!write(execError[1], &err, sizeof err);
    _exit(127);
  }
  setpgid(pid_, pid_);  // also here, so the group exists before either side goes on
  close(execError[1]);
  int err = 0;
  const ssize_t got = read(execError[0], &err, sizeof err);
  close(execError[0]);
  if (got == sizeof err) {
    reap(true);
    throw failure("cannot start " + options.argv[0] + ": " + std::strerror(err));
  }
}

Process::~Process() { stop(); }

bool Process::reap(bool block) {
  if (status_) return true;
  int status = 0;
  const pid_t r = waitpid(pid_, &status, block ? 0 : WNOHANG);
  if (r == pid_) {
    status_ = status;
    return true;
  }
  return false;
}

bool Process::running() { return !reap(false); }

std::optional<int> Process::waitForExit(std::chrono::milliseconds timeout) {
  if (waitUntil([&] { return reap(false); }, timeout)) return status_;
  return std::nullopt;
}

void Process::stop() {
  if (pid_ <= 0) return;
  if (!status_) {
    kill(-pid_, SIGTERM);
    if (!waitUntil([&] { return reap(false); }, 2s)) {
      kill(-pid_, SIGKILL);
      reap(true);
    }
  }
  // Whatever the leader left behind in its group goes too.
  kill(-pid_, SIGKILL);
  pid_ = -1;
}

// ---------------------------------------------------------------------------------------------
// Geometry and pixels

std::ostream& operator<<(std::ostream& out, const Point& p) { return out << "(" << p.x << ", " << p.y << ")"; }

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << r.width << "x" << r.height << " at (" << r.x << ", " << r.y << ")";
}

bool Pixels::savePng(const std::filesystem::path& file) const {
  if (width <= 0 || height <= 0) return false;
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) line[x] = 0xFF000000u | at(x, y);
  }
  std::error_code ec;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  return image.save(QString::fromStdString(file.string()), "PNG");
}

TempDir::TempDir(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw failure("mkdtemp: " + std::string(std::strerror(errno)));
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

// ---------------------------------------------------------------------------------------------
// VirtualDisplay

namespace {

struct Property {
  Atom type = None;
  int format = 0;
  std::vector<long> items;  // format 32
  std::string bytes;        // format 8
};

std::optional<Property> readProperty(Display* x, Window w, Atom name) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x, w, name, 0, 1L << 24, False, AnyPropertyType, &type, &format, &count, &after,
                         &data) != Success)
    return std::nullopt;
  if (type == None) {
    if (data) XFree(data);
    return std::nullopt;
  }
  Property p;
  p.type = type;
  p.format = format;
  if (format == 32) {
    // Xlib hands 32-bit items over as longs, whatever the size of a long.
    const auto* items = reinterpret_cast<const long*>(data);
    p.items.assign(items, items + count);
  } else if (format == 8) {
    p.bytes.assign(reinterpret_cast<const char*>(data), count);
  }
  if (data) XFree(data);
  return p;
}

}  // namespace

Atom VirtualDisplay::atom(const char* name) { return XInternAtom(x(), name, False); }

VirtualDisplay::VirtualDisplay(int width, int height) : width_(width), height_(height) {
  // Xvfb picks a free display number itself and writes it to this pipe once it accepts
  // connections, so several test runs on one machine never collide.
  int ready[2];
  if (pipe2(ready, O_CLOEXEC) != 0) throw failure("pipe: " + std::string(std::strerror(errno)));
  try {
    server_.emplace(Process::Options{
        .argv = {"Xvfb", "-displayfd", std::to_string(ready[1]), "-screen", "0",
                 std::to_string(width) + "x" + std::to_string(height) + "x24", "-dpi", "96", "-nolisten", "tcp",
                 "-noreset"},
        .outputFile = scratch_.path() / "xvfb.log",
        .inheritedFd = ready[1]});
  } catch (...) {
    close(ready[0]);
    close(ready[1]);
    throw;
  }
  close(ready[1]);
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (number.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    pollfd pfd{ready[0], POLLIN, 0};
    if (poll(&pfd, 1, 100) <= 0) continue;
    char buf[32];
    const ssize_t got = read(ready[0], buf, sizeof buf);
    if (got <= 0) break;
    number.append(buf, std::size_t(got));
  }
  close(ready[0]);
  if (number.find('\n') == std::string::npos) throw failure("Xvfb did not report a display number");
  name_ = ":" + number.substr(0, number.find('\n'));

  XSetErrorHandler(ignoreXError);
  connection_.reset(XOpenDisplay(name_.c_str()));
  if (!connection_) throw failure("cannot connect to Xvfb on " + name_);

  // openbox with the system-wide configuration only, so a user's own settings (key
  // bindings, theme, placement) cannot change what the tests see.
  std::filesystem::create_directories(scratch_.path() / "config");
  std::filesystem::create_directories(scratch_.path() / "cache");
  windowManager_.emplace(Process::Options{
      .argv = {"openbox", "--sm-disable"},
      .environment = {{"DISPLAY", name_},
                      {"XDG_CONFIG_HOME", (scratch_.path() / "config").string()},
                      {"XDG_CACHE_HOME", (scratch_.path() / "cache").string()}},
      .outputFile = scratch_.path() / "openbox.log"});

  // A window manager announces itself with a check window that names itself.
  const Window root = DefaultRootWindow(x());
  const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
  const bool managing = waitUntil([&] {
    const auto onRoot = readProperty(x(), root, check);
    if (!onRoot || onRoot->items.empty()) return false;
    const auto onChild = readProperty(x(), Window(onRoot->items[0]), check);
    return onChild && !onChild->items.empty() && onChild->items[0] == onRoot->items[0] &&
           readProperty(x(), root, atom("_NET_CLIENT_LIST")).has_value();
  });
  if (!managing) throw failure("openbox did not start managing windows on " + name_);
}

// The members go in reverse order: the connection, then openbox, then the server.
VirtualDisplay::~VirtualDisplay() = default;

bool VirtualDisplay::healthy() { return server_ && server_->running() && windowManager_ && windowManager_->running(); }

std::vector<Window> VirtualDisplay::clientWindows(pid_t pid) {
  std::vector<Window> out;
  const auto list = readProperty(x(), DefaultRootWindow(x()), atom("_NET_CLIENT_LIST"));
  if (!list) return out;
  const Atom pidAtom = atom("_NET_WM_PID");
  for (long item : list->items) {
    const auto owner = readProperty(x(), Window(item), pidAtom);
    if (owner && !owner->items.empty() && owner->items[0] == pid) out.push_back(Window(item));
  }
  return out;
}

std::vector<Window> VirtualDisplay::stackingOrder() {
  std::vector<Window> out;
  if (const auto list = readProperty(x(), DefaultRootWindow(x()), atom("_NET_CLIENT_LIST_STACKING")))
    for (long item : list->items) out.push_back(Window(item));
  return out;
}

Window VirtualDisplay::activeWindow() {
  const auto active = readProperty(x(), DefaultRootWindow(x()), atom("_NET_ACTIVE_WINDOW"));
  return active && !active->items.empty() ? Window(active->items[0]) : None;
}

std::optional<Rect> VirtualDisplay::clientRect(Window w) {
  XWindowAttributes attrs;
  if (!XGetWindowAttributes(x(), w, &attrs)) return std::nullopt;
  int rootX = 0;
  int rootY = 0;
  Window child = None;
  if (!XTranslateCoordinates(x(), w, DefaultRootWindow(x()), 0, 0, &rootX, &rootY, &child)) return std::nullopt;
  return Rect{rootX, rootY, attrs.width, attrs.height};
}

std::optional<FrameExtents> VirtualDisplay::frameExtents(Window w) {
  const auto p = readProperty(x(), w, atom("_NET_FRAME_EXTENTS"));
  if (!p || p->items.size() < 4) return std::nullopt;
  return FrameExtents{int(p->items[0]), int(p->items[1]), int(p->items[2]), int(p->items[3])};
}

std::optional<Rect> VirtualDisplay::outerRect(Window w) {
  const auto client = clientRect(w);
  const auto frame = frameExtents(w);
  if (!client || !frame) return std::nullopt;
  return Rect{client->x - frame->left, client->y - frame->top, client->width + frame->left + frame->right,
              client->height + frame->top + frame->bottom};
}

std::optional<std::string> VirtualDisplay::textProperty(Window w, const char* property) {
  const auto p = readProperty(x(), w, atom(property));
  if (!p) return std::nullopt;
  return p->bytes;
}

std::vector<std::string> VirtualDisplay::atomListProperty(Window w, const char* property) {
  std::vector<std::string> out;
  const auto p = readProperty(x(), w, atom(property));
  if (!p) return out;
  for (long item : p->items) {
    char* name = XGetAtomName(x(), Atom(item));
    if (name) {
      out.emplace_back(name);
      XFree(name);
    }
  }
  return out;
}

std::vector<std::pair<int, int>> VirtualDisplay::iconSizes(Window w) {
  // _NET_WM_ICON holds one image after another: width, height, then width*height pixels.
  std::vector<std::pair<int, int>> out;
  const auto p = readProperty(x(), w, atom("_NET_WM_ICON"));
  if (!p) return out;
  std::size_t i = 0;
  while (i + 2 <= p->items.size()) {
    const long iconWidth = p->items[i];
    const long iconHeight = p->items[i + 1];
    if (iconWidth <= 0 || iconHeight <= 0) break;
    out.emplace_back(int(iconWidth), int(iconHeight));
    i += 2 + std::size_t(iconWidth * iconHeight);
  }
  return out;
}

bool VirtualDisplay::isMinimised(Window w) {
  const auto state = readProperty(x(), w, atom("WM_STATE"));
  if (state && !state->items.empty() && state->items[0] == IconicState) return true;
  for (const auto& s : atomListProperty(w, "_NET_WM_STATE"))
    if (s == "_NET_WM_STATE_HIDDEN") return true;
  return false;
}

bool VirtualDisplay::isViewable(Window w) {
  XWindowAttributes attrs;
  return XGetWindowAttributes(x(), w, &attrs) && attrs.map_state == IsViewable;
}

Pixels VirtualDisplay::grab(const Rect& area) {
  const int left = std::max(area.x, 0);
  const int top = std::max(area.y, 0);
  const int right = std::min(area.right(), width_);
  const int bottom = std::min(area.bottom(), height_);
  Pixels out;
  if (right <= left || bottom <= top) return out;
  XSync(x(), False);
  XImage* image = XGetImage(x(), DefaultRootWindow(x()), left, top, unsigned(right - left), unsigned(bottom - top),
                            AllPlanes, ZPixmap);
  if (!image) return out;
  const auto shiftOf = [](unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
      mask >>= 1;
      ++shift;
    }
    return shift;
  };
  const int rs = shiftOf(image->red_mask), gs = shiftOf(image->green_mask), bs = shiftOf(image->blue_mask);
  out.width = right - left;
  out.height = bottom - top;
  out.rgb.resize(std::size_t(out.width) * std::size_t(out.height));
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const unsigned long v = XGetPixel(image, x, y);
      const std::uint32_t r = std::uint32_t((v & image->red_mask) >> rs) & 0xFF;
      const std::uint32_t g = std::uint32_t((v & image->green_mask) >> gs) & 0xFF;
      const std::uint32_t b = std::uint32_t((v & image->blue_mask) >> bs) & 0xFF;
      out.rgb[std::size_t(y) * std::size_t(out.width) + std::size_t(x)] = (r << 16) | (g << 8) | b;
    }
  }
  XDestroyImage(image);
  return out;
}

void VirtualDisplay::xdotool(const std::vector<std::string>& args) {
  Process::Options options{.argv = {"xdotool"}, .environment = {{"DISPLAY", name_}},
                           .outputFile = scratch_.path() / "xdotool.log"};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  Process tool(options);
  const auto status = tool.waitForExit();
  if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
    std::string line;
    for (const auto& a : args) line += " " + a;
    throw failure("xdotool" + line + ": " + (status ? describeStatus(*status) : "did not finish"));
  }
}

void VirtualDisplay::click(Point at) {
  // One xdotool call: the XTEST motion and the button events reach the server in order,
  // so the click lands where the pointer was moved to.
  xdotool({"mousemove", std::to_string(at.x), std::to_string(at.y), "click", "1"});
}

void VirtualDisplay::pressKeys(const std::vector<std::string>& keys) {
  std::vector<std::string> args = {"key", "--delay", "40"};
  args.insert(args.end(), keys.begin(), keys.end());
  xdotool(args);
}

void VirtualDisplay::moveMouse(Point to) { xdotool({"mousemove", std::to_string(to.x), std::to_string(to.y)}); }

void VirtualDisplay::requestActivation(Window w) { xdotool({"windowactivate", std::to_string(w)}); }

void VirtualDisplay::requestMinimise(Window w) { xdotool({"windowminimize", std::to_string(w)}); }

void VirtualDisplay::requestMove(Window w, Point to) {
  xdotool({"windowmove", std::to_string(w), std::to_string(to.x), std::to_string(to.y)});
}

}  // namespace vtg::e2e
