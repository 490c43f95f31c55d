#include "GuideRun.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <set>
#include <sstream>
#include <stdexcept>

namespace vtg::e2e {
namespace {

const std::vector<WindowFacts>& allFacts() {
  static const std::vector<WindowFacts> facts = {
      {GuideWindow::MainWindow, "MainWindow", 651, 693, {}},
      {GuideWindow::BiostarGuide, "BiostarGuide", 825, 618, {24, 24, 128, 40}},    // 映泰主板
      {GuideWindow::MsiGuide, "MsiGuide", 815, 869, {24, 88, 128, 40}},            // 微星主板
      {GuideWindow::GigabyteGuide, "GigabyteGuide", 770, 554, {24, 152, 128, 40}},  // 技嘉主板
      {GuideWindow::BiosIntro, "BiosIntro", 696, 595, {208, 24, 112, 40}},          // 什么是BIOS
      {GuideWindow::AsusGuide, "AsusGuide", 827, 699, {24, 216, 128, 32}},          // 华硕主板
  };
  return facts;
}

std::string hex(Window w) {
  std::ostringstream s;
  s << "0x" << std::hex << w;
  return s.str();
}

}  // namespace

const WindowFacts& factsOf(GuideWindow w) {
  for (const auto& f : allFacts())
    if (f.window == w) return f;
  throw std::logic_error("unknown window");
}

const std::vector<GuideWindow>& guideWindows() {
  static const std::vector<GuideWindow> guides = {GuideWindow::BiostarGuide, GuideWindow::MsiGuide,
                                                  GuideWindow::GigabyteGuide, GuideWindow::BiosIntro,
                                                  GuideWindow::AsusGuide};
  return guides;
}

Rect centredRect(GuideWindow w, int screenWidth, int screenHeight) {
  const auto& f = factsOf(w);
  return {(screenWidth - f.width) / 2, (screenHeight - f.height) / 2, f.width, f.height};
}

void PrintTo(GuideWindow w, std::ostream* out) { *out << factsOf(w).name; }

void PrintTo(CloseWith how, std::ostream* out) {
  switch (how) {
    case CloseWith::Escape: *out << "Escape"; break;
    case CloseWith::AltF4: *out << "AltF4"; break;
    case CloseWith::CloseButton: *out << "CloseButton"; break;
  }
}

GuideRun::GuideRun(VirtualDisplay& display, const std::string& binary) : display_(display) {
  const auto& root = scratch_.path();
  for (const char* sub : {"home/.config", "home/.local/share", "work", "cache", "runtime"})
    std::filesystem::create_directories(root / sub);
  chmod((root / "runtime").c_str(), 0700);
  process_.emplace(Process::Options{
      .argv = {binary},
      // The program runs as on a plain X desktop: the toolkit picks X11 by itself, and no
      // setting of the desktop the tests happen to run in (platform, theme, scaling) leaks in.
      .environment = {{"DISPLAY", display_.name()},
                      {"QT_QPA_PLATFORM", std::nullopt},
                      {"WAYLAND_DISPLAY", std::nullopt},
                      {"QT_QPA_PLATFORMTHEME", std::nullopt},
                      {"QT_STYLE_OVERRIDE", std::nullopt},
                      {"QT_SCALE_FACTOR", std::nullopt},
                      {"QT_SCREEN_SCALE_FACTORS", std::nullopt},
                      {"QT_AUTO_SCREEN_SCALE_FACTOR", std::nullopt},
                      {"QT_ENABLE_HIGHDPI_SCALING", std::nullopt},
                      {"QT_FONT_DPI", std::nullopt},
                      {"XDG_CURRENT_DESKTOP", std::nullopt},
                      {"DESKTOP_SESSION", std::nullopt},
                      {"HOME", (root / "home").string()},
                      {"XDG_CONFIG_HOME", (root / "home/.config").string()},
                      {"XDG_DATA_HOME", (root / "home/.local/share").string()},
                      {"XDG_CACHE_HOME", (root / "cache").string()},
                      {"XDG_RUNTIME_DIR", (root / "runtime").string()}},
      .workingDirectory = root / "work",
      .outputFile = root / "output.log"});
}

GuideRun::~GuideRun() {
  const pid_t pid = process_->pid();
  process_.reset();
  // The next run on the same display starts from an empty desktop.
  waitUntil([&] { return display_.clientWindows(pid).empty(); }, 5s);
}

std::vector<std::filesystem::path> GuideRun::filesWritten() const {
  const auto& root = scratch_.path();
  const std::set<std::filesystem::path> madeHere = {root / "home/.config", root / "home/.local",
                                                    root / "home/.local/share"};
  std::vector<std::filesystem::path> out;
  for (const auto& folder : {root / "home", root / "work"})
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (!madeHere.count(entry.path())) out.push_back(entry.path());
  return out;
}

std::string GuideRun::output() const {
  std::ifstream in(scratch_.path() / "output.log");
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

Window GuideRun::waitForMainWindow() {
  waitUntil([&] {
    const auto ws = windows();
    return !ws.empty() && display_.isViewable(ws.front()) && display_.frameExtents(ws.front());
  });
  const auto ws = windows();
  main_ = ws.empty() ? None : ws.front();
  if (main_ != None) known_[main_] = GuideWindow::MainWindow;
  return main_;
}

std::string GuideRun::describe(Window w) const {
  const auto it = known_.find(w);
  return it == known_.end() ? hex(w) : std::string(factsOf(it->second).name) + " " + hex(w);
}

std::string GuideRun::describe(const std::vector<Window>& ws) const {
  std::string out = "[";
  for (std::size_t i = 0; i < ws.size(); ++i) out += (i ? ", " : "") + describe(ws[i]);
  return out + "]";
}

std::optional<Point> GuideRun::buttonCentre(GuideWindow guide) {
  const auto client = display_.clientRect(main_);
  if (!client) return std::nullopt;
  const Point inWindow = factsOf(guide).button.centre();
  return Point{client->x + inWindow.x, client->y + inWindow.y};
}

bool GuideRun::clickButtonOf(GuideWindow guide) {
  if (main_ == None || !bringToFront(main_)) return false;
  const auto at = buttonCentre(guide);
  if (!at) return false;
  display_.click(*at);
  return true;
}

Window GuideRun::open(GuideWindow guide) {
  const auto before = windows();
  const std::set<Window> known(before.begin(), before.end());
  if (!clickButtonOf(guide)) return None;
  Window opened = None;
  waitUntil([&] {
    for (Window w : windows())
      if (!known.count(w) && display_.isViewable(w) && display_.frameExtents(w)) {
        opened = w;
        return true;
      }
    return false;
  });
  if (opened != None) known_[opened] = guide;
  return opened;
}

Window GuideRun::topWindow() {
  const auto stack = display_.stackingOrder();
  return stack.empty() ? None : stack.back();
}

bool GuideRun::bringToFront(Window w) {
  const auto inFront = [&] { return display_.activeWindow() == w && topWindow() == w && display_.isViewable(w); };
  if (inFront()) return true;
  display_.requestActivation(w);
  return waitUntil(inFront);
}

std::optional<Point> GuideRun::closeButtonCentre(Window w) {
  const auto outer = display_.outerRect(w);
  const auto frame = display_.frameExtents(w);
  if (!outer || !frame) return std::nullopt;
  // openbox's title bar is the top extent high; its buttons are square, inset by the same
  // padding on every side, so the close button's centre lies half a title-bar height in
  // from the right edge.
  return Point{outer->right() - 1 - frame->top / 2, outer->y + frame->top / 2};
}

void GuideRun::close(Window w, CloseWith how) {
  if (!bringToFront(w)) throw std::runtime_error(describe(w) + " cannot be brought to the front to close it");
  switch (how) {
    case CloseWith::Escape: display_.pressKeys({"Escape"}); break;
    case CloseWith::AltF4: display_.pressKeys({"alt+F4"}); break;
    case CloseWith::CloseButton: {
      const auto at = closeButtonCentre(w);
      if (!at) throw std::runtime_error(describe(w) + " has no frame to find its close button in");
      display_.click(*at);
      break;
    }
  }
}

bool GuideRun::waitUntilGone(Window w) {
  return waitUntil([&] {
    const auto ws = windows();
    return std::find(ws.begin(), ws.end(), w) == ws.end();
  });
}

Pixels GuideRun::settledGrab(const Rect& area) {
  Pixels last = display_.grab(area);
  waitUntil([&] {
    std::this_thread::sleep_for(150ms);
    Pixels now = display_.grab(area);
    const bool same = now.rgb == last.rgb;
    last = std::move(now);
    return same;
  });
  return last;
}

}  // namespace vtg::e2e
