// Opening and closing every guide window many times, the way a user does it: a click on
// its button in the main window, then the window's close request. The whole program runs
// through the shell with its real handlers; afterwards nothing of the closed windows may
// be left: not a widget, not a decoded picture, not a font a control made, not heap memory
// that keeps growing, and under the sanitizer build not a leaked byte.

#include <gtest/gtest.h>

#include <malloc.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <ostream>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "content/Forms.h"
#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/TopWindow.h"
#include "controls/picture/Picture.h"
#include "platform/Fonts.h"
#include "shell/Program.h"
#include "shell/Shell.h"

#if defined(__SANITIZE_ADDRESS__)
#define VTG_SOAK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VTG_SOAK_UNDER_ASAN 1
#endif
#endif

#ifdef VTG_SOAK_UNDER_ASAN
// The sanitizer runtime's count of bytes in use; it replaces malloc, so the C library's
// own statistics see nothing. Declared here since not every compiler ships the header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace vtg::shell {
namespace {

namespace W = content::WindowIds;
namespace R = content::HandlerRefs;

// Cycles of "open all five guides, close all five". A thousand in a normal build. Under
// AddressSanitizer a cycle costs about 35 ms on a two-core machine (a normal build: about
// 15 ms), so three hundred cycles take some ten seconds and keep the whole gui layer well
// within two minutes there, while still repeating any per-cycle leak hundreds of times.
#ifdef VTG_SOAK_UNDER_ASAN
constexpr int kCycles = 300;
#else
constexpr int kCycles = 1000;
#endif
// Cycles run before the heap is measured. The toolkit's own caches (fonts, glyphs,
// pixmaps) fill during the first few dozen cycles; after that the heap in use wanders
// within about 150 KB without a trend.
constexpr int kWarmUpCycles = kCycles / 10;
// What the heap may grow by over the second half of the measured cycles: above the wander
// (caches that still fill now and then after the warm-up settle by the middle), and far
// below what a closed window that left anything behind would add up to over those cycles
// (a picture alone is hundreds of kilobytes, a label or a button about a kilobyte).
// Over all measured cycles the allowance is larger, for the caches' slow start.
constexpr std::size_t kHeapGrowthAllowed = 256 * 1024;
constexpr std::size_t kHeapGrowthAllowedOverall = 1024 * 1024;
constexpr int kMiddleCycle = (kWarmUpCycles + kCycles) / 2;

std::size_t heapBytesInUse() {
#ifdef VTG_SOAK_UNDER_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// Which guide each handler of the main window's buttons opens.
const std::map<HandlerRef, WindowId> kGuideOf = {
    {R::OpenBiostarGuide, W::BiostarGuide}, {R::OpenMsiGuide, W::MsiGuide},
    {R::OpenGigabyteGuide, W::GigabyteGuide}, {R::OpenBiosIntro, W::BiosIntro},
    {R::OpenAsusGuide, W::AsusGuide}};

struct GuideButton {
  controls::Button* button;
  WindowId guide;
};

// The main window's buttons with the guide that each one's click event is bound to.
std::vector<GuideButton> guideButtons(const FormDefinition& mainDefinition, controls::TopWindow& main) {
  std::vector<GuideButton> found;
  for (auto* button : main.findChildren<controls::Button*>()) {
    auto unit = mainDefinition.findUnit(button->unitId());
    if (!unit) continue;
    const EventBinding* click = unit->unit->bindingFor(controls::ButtonEvent::clicked);
    if (click && kGuideOf.count(click->handlerRef))
      found.push_back({button, kGuideOf.at(click->handlerRef)});
  }
  return found;
}

// What the program has alive at a moment: widgets, decoded pictures, fonts held by controls.
struct LiveCounts {
  int widgets = 0;
  int pictures = 0;
  int fonts = 0;
  bool operator==(const LiveCounts&) const = default;
};

LiveCounts liveNow() {
  return {static_cast<int>(QApplication::allWidgets().size()), controls::DecodedPicture::live(),
          platform::HeldFont::live()};
}

std::ostream& operator<<(std::ostream& out, const LiveCounts& c) {
  return out << c.widgets << " widgets, " << c.pictures << " pictures, " << c.fonts << " fonts";
}

struct SoakResult {
  int buttonsFound = 0;
  int cyclesRun = 0;
  std::vector<std::string> failures;
  LiveCounts withMainOnly;
  LiveCounts afterWarmUp;
  LiveCounts atEnd;
  LiveCounts mostSeen;
  std::vector<std::string> countsOff;  // cycles after which the counts were not those of the main window
  std::size_t heapAfterWarmUp = 0;
  std::size_t heapAtMiddle = 0;
  std::size_t heapAtEnd = 0;
  int layoutsInMainBefore = 0;
  int layoutsInMainAfter = 0;
  int exitCode = -1;
};

int layoutsMadeIn(const QWidget& window) {
  int made = 0;
  for (const auto* label : window.findChildren<const controls::Label*>()) made += label->layoutsMade();
  return made;
}

void settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the guide through the shell. Its start routine opens the main window as the
// program does, then, from inside the running event loop, clicks each guide button and
// closes the guide that opened, cycle after cycle, and finally closes the main window,
// which ends the loop by the program's own quit rule.
SoakResult soak() {
  SoakResult result;
  Program program = vtguideProgram();
  program.start = [&result] {
    Shell& shell = Shell::current();
    shell.LoadStartWindow(W::MainWindow);
    controls::TopWindow* main = shell.loader().openWindow(W::MainWindow);
    settle();
    const FormDefinition mainDefinition = [] {
      for (const auto& form : content::storedForms())
        if (form.windowId == W::MainWindow) return form;
      return FormDefinition{};
    }();
    const std::vector<GuideButton> buttons = guideButtons(mainDefinition, *main);
    result.buttonsFound = static_cast<int>(buttons.size());
    result.withMainOnly = liveNow();
    // Each cycle also paints the main window again, as the guides opening over it and
    // closing again make it repaint.
    main->grab();
    result.layoutsInMainBefore = layoutsMadeIn(*main);

    // One cycle per turn of the event loop, so that whatever the loop does between user
    // actions (deferred deletions, idle work) happens as in the running program.
    auto cycle = std::make_shared<std::function<void()>>();
    *cycle = [&result, &shell, main, buttons, cycle] {
      for (const GuideButton& b : buttons) {
        QTest::mouseClick(b.button, Qt::LeftButton);
        controls::TopWindow* guide = shell.loader().openWindow(b.guide);
        if (!guide) {
          result.failures.push_back("cycle " + std::to_string(result.cyclesRun) +
                                    ": the button did not open window 0x" +
                                    QString::number(b.guide, 16).toStdString());
          continue;
        }
        const LiveCounts now = liveNow();
        result.mostSeen = {std::max(result.mostSeen.widgets, now.widgets), std::max(result.mostSeen.pictures, now.pictures),
                           std::max(result.mostSeen.fonts, now.fonts)};
        if (!guide->requestClose())
          result.failures.push_back("cycle " + std::to_string(result.cyclesRun) + ": a guide refused to close");
      }
      main->grab();
      ++result.cyclesRun;
      settle();
      if (const LiveCounts now = liveNow(); now != result.withMainOnly && result.countsOff.size() < 5) {
        std::ostringstream what;
        what << "after cycle " << result.cyclesRun << ": " << now;
        result.countsOff.push_back(what.str());
      }
      if (result.cyclesRun == kWarmUpCycles) {
        result.afterWarmUp = liveNow();
        result.heapAfterWarmUp = heapBytesInUse();
      }
      if (result.cyclesRun == kMiddleCycle) {
        result.heapAtMiddle = heapBytesInUse();
      }
      if (result.cyclesRun < kCycles && result.failures.size() < 10) {
        QTimer::singleShot(0, *cycle);
        return;
      }
      settle();
      result.atEnd = liveNow();
      result.heapAtEnd = heapBytesInUse();
      result.layoutsInMainAfter = layoutsMadeIn(*main);
      // The shared function holds itself; letting go of it here ends that. What runs now
      // is the timer's own copy, which lives until this call returns.
      *cycle = nullptr;
      main->requestClose();
    };
    QTimer::singleShot(0, *cycle);
    shell.RunMessageLoop();
    return 0;
  };
  Shell shell;
  result.exitCode = shell.run(program);
  return result;
}

TEST(SoakTest, OpeningAndClosingEveryGuideLeavesNothingBehind) {
  const LiveCounts before = liveNow();
  const SoakResult r = soak();

  ASSERT_EQ(r.buttonsFound, 5) << "the main window should have one button per guide";
  EXPECT_TRUE(r.failures.empty()) << r.failures.front();
  EXPECT_EQ(r.cyclesRun, kCycles);
  EXPECT_EQ(r.exitCode, 0);

  // The guides' widgets, pictures and fonts come and go; only the main window's stay
  // while it is open, after every cycle.
  EXPECT_GT(r.mostSeen.widgets, r.withMainOnly.widgets) << "no guide window seemed to open";
  EXPECT_GT(r.mostSeen.pictures, r.withMainOnly.pictures) << "no guide picture seemed to be decoded";
  EXPECT_GT(r.mostSeen.fonts, r.withMainOnly.fonts) << "no guide control seemed to make a font";
  EXPECT_GT(r.withMainOnly.pictures, 0);
  EXPECT_TRUE(r.countsOff.empty()) << "with only the main window open there were " << r.withMainOnly << "; "
                                   << r.countsOff.front();
  EXPECT_EQ(r.afterWarmUp, r.withMainOnly);
  EXPECT_EQ(r.atEnd, r.withMainOnly);
  EXPECT_EQ(liveNow(), before) << "the program's end should take every window with it";

  EXPECT_LE(r.heapAtEnd, r.heapAtMiddle + kHeapGrowthAllowed)
      << "the heap grew by " << (r.heapAtEnd - r.heapAtMiddle) << " bytes over the last "
      << (kCycles - kMiddleCycle) << " cycles";
  EXPECT_LE(r.heapAtEnd, r.heapAfterWarmUp + kHeapGrowthAllowedOverall)
      << "the heap grew by " << (r.heapAtEnd - r.heapAfterWarmUp) << " bytes over "
      << (kCycles - kWarmUpCycles) << " cycles";

  // The main window was painted once per cycle, but its texts were laid out by the
  // first paint and stay so.
  EXPECT_GT(r.layoutsInMainBefore, 0);
  EXPECT_EQ(r.layoutsInMainAfter, r.layoutsInMainBefore);
}

}  // namespace
}  // namespace vtg::shell
