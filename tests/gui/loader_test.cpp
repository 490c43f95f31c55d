// Loading windows and dispatching their events, in process on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include "content/Forms.h"
#include "controls/TopWindow.h"
#include "forms/FormModel.h"
#include "platform/GuiApp.h"
#include "shell/Messages.h"
#include "shell/Program.h"
#include "shell/Shell.h"
#include "shell/WindowLoader.h"

namespace vtg::shell {
namespace {

using controls::TopWindow;
using controls::WindowEvent::closeRequest;
using controls::WindowEvent::created;
using controls::WindowEvent::moved;
using controls::WindowEvent::resized;

constexpr WindowId kWindow = 0x52010001;
constexpr WindowId kOther = 0x52010007;
constexpr UnitId kWindowUnit = 0x06010000;

// Handler references of the test definitions: each logs "<window>:<unit>:<index>".
struct EventLog {
  std::vector<std::string> entries;
  std::function<void(const std::string&)> onEvent;
};

// A definition whose window unit binds the given event indexes, with one button control.
FormDefinition testForm(WindowId id, UnitId windowUnit, std::vector<std::int32_t> indexes,
                        std::uint32_t controlKind = KindCode::Button) {
  UnitDefinition w{.id = windowUnit, .kind = KindCode::window, .left = 50, .top = 50,
                   .width = 300, .height = 200, .flags = UnitFlag::visible};
  for (auto index : indexes) w.events.push_back({index, HandlerRef(1000 + (index & 0xFF)), {}});
  UnitDefinition b{.id = windowUnit | 0x10000000u | 0x100u, .kind = controlKind, .left = 10, .top = 10,
                   .width = 80, .height = 30, .flags = UnitFlag::visible | UnitFlag::tabStop};
  return {id, {w, b}};
}

class LoaderTest : public ::testing::Test {
 protected:
  void makeStore(std::vector<FormDefinition> forms) {
    store_ = FormStore::build(std::move(forms), [this](HandlerRef ref, Handler& out) {
      out = [this, ref](std::span<const std::int32_t>) -> HandlerResult {
        const int index = int(ref) - 1000;
        log_.entries.push_back(std::to_string(index) + (visibleNow() ? " visible" : " hidden"));
        if (log_.onEvent) log_.onEvent(std::to_string(index));
        return std::nullopt;
      };
      return true;
    });
    ASSERT_TRUE(store_);
    WindowLoader::Callbacks callbacks;
    callbacks.windowGone = [this] { ++windowsGone_; };
    callbacks.fatalError = [this](std::string_view message) { fatal_ = std::string(message); };
    loader_ = std::make_unique<WindowLoader>(*store_, callbacks);
  }
  bool visibleNow() const {
    TopWindow* w = loader_ ? loader_->openWindow(kWindow) : nullptr;
    return w && w->isVisible();
  }
  void TearDown() override {
    loader_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::optional<FormStore> store_;
  std::unique_ptr<WindowLoader> loader_;
  EventLog log_;
  int windowsGone_ = 0;
  std::string fatal_;
};

TEST_F(LoaderTest, CreatedMovedResizedComeOnceEachBeforeTheWindowIsVisible) {
  makeStore({testForm(kWindow, kWindowUnit, {created, moved, resized})});
  ASSERT_TRUE(loader_->LoadWindow(kWindow));
  EXPECT_EQ(log_.entries, (std::vector<std::string>{"0 hidden", "3 hidden", "4 hidden"}));
  ASSERT_NE(loader_->openWindow(kWindow), nullptr);
  EXPECT_TRUE(loader_->openWindow(kWindow)->isVisible());
  EXPECT_EQ(loader_->suspensionCount(), 0);
}

TEST_F(LoaderTest, EventsRaisedWhileSuspendedAreDroppedNotQueued) {
  makeStore({testForm(kWindow, kWindowUnit, {created})});
  loader_->suspendEvents();
  const auto dropped = loader_->RaiseEvent(kWindow, 0, created);
  EXPECT_FALSE(dropped.handlerCalled);
  loader_->resumeEvents();
  EXPECT_TRUE(log_.entries.empty());
  EXPECT_TRUE(loader_->RaiseEvent(kWindow, 0, created).handlerCalled);
  EXPECT_EQ(log_.entries.size(), 1u);
}

TEST_F(LoaderTest, ACreatedHandlerThatClosesItsWindowEndsTheBuildEarly) {
  makeStore({testForm(kWindow, kWindowUnit, {created, moved, resized})});
  int closes = 0;
  log_.onEvent = [&](const std::string& index) {
    if (index == "0" && closes++ == 0) loader_->openWindow(kWindow)->requestClose();
  };
  EXPECT_TRUE(loader_->LoadWindow(kWindow));
  EXPECT_EQ(log_.entries, (std::vector<std::string>{"0 hidden"}));
  EXPECT_EQ(loader_->openWindow(kWindow), nullptr);
  EXPECT_FALSE(loader_->anyWindowOpen());
  EXPECT_EQ(windowsGone_, 1);
  // The definition is free again: the next load builds a fresh window.
  EXPECT_TRUE(loader_->LoadWindow(kWindow));
  EXPECT_NE(loader_->openWindow(kWindow), nullptr);
}

TEST_F(LoaderTest, ASecondLoadBringsTheOpenWindowForwardAndBuildsNothing) {
  makeStore({testForm(kWindow, kWindowUnit, {created})});
  ASSERT_TRUE(loader_->LoadWindow(kWindow));
  TopWindow* first = loader_->openWindow(kWindow);
  ASSERT_TRUE(loader_->LoadWindow(kWindow));
  EXPECT_EQ(loader_->openWindow(kWindow), first);
  EXPECT_EQ(log_.entries.size(), 1u);  // no second created event
  EXPECT_EQ(QApplication::topLevelWidgets().count(first), 1);
}

TEST_F(LoaderTest, BuildsThatCannotBeCompletedFailCleanly) {
  struct Case {
    const char* what;
    FormDefinition form;
  };
  FormDefinition badKind = testForm(kWindow, kWindowUnit, {created}, 0x0001007F);
  FormDefinition badWindowBlock = testForm(kWindow, kWindowUnit, {created});
  badWindowBlock.units[0].ownData = Bytes{0x07, 0, 0, 0};  // a version no window knows
  const Case cases[] = {{"unknown control kind", badKind}, {"unreadable window block", badWindowBlock}};
  for (const auto& c : cases) {
    makeStore({c.form});
    const int before = QApplication::topLevelWidgets().size();
    EXPECT_FALSE(loader_->LoadWindow(kWindow)) << c.what;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(loader_->openWindow(kWindow), nullptr) << c.what;
    EXPECT_FALSE(loader_->anyWindowOpen()) << c.what;
    EXPECT_EQ(loader_->suspensionCount(), 0) << c.what;
    EXPECT_LE(QApplication::topLevelWidgets().size(), before) << c.what;
    EXPECT_TRUE(log_.entries.empty()) << c.what;
  }
  makeStore({testForm(kWindow, kWindowUnit, {})});
  EXPECT_FALSE(loader_->LoadWindow(kOther));  // no such definition
}

TEST_F(LoaderTest, EventsForUnknownWindowsOrUnitsAreFatal) {
  makeStore({testForm(kWindow, kWindowUnit, {created})});
  loader_->RaiseEvent(kOther, 0, created);
  EXPECT_EQ(fatal_, messages::eventWindowNotFound);
  fatal_.clear();
  loader_->RaiseEvent(kWindow, 0x16019999, 0);
  EXPECT_EQ(fatal_, messages::eventUnitNotFound);
  // A known unit with no binding for the index is simply not handled.
  fatal_.clear();
  EXPECT_FALSE(loader_->RaiseEvent(kWindow, 0, 9).handlerCalled);
  EXPECT_TRUE(fatal_.empty());
}

// The whole program life through the shell: the process ends when the last window has
// closed, whatever the order.
class QuitRuleTest : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(QuitRuleTest, TheLoopEndsOnlyAfterTheLastClose) {
  const std::vector<WindowId> ids = {0x52010001, 0x52010007, 0x52010015};
  std::vector<WindowId> stillOpenAtEnd;
  std::vector<int> closedBeforeQuit;
  Program program;
  program.storedForms = [&] {
    return std::vector<FormDefinition>{testForm(ids[0], 0x06010000, {}), testForm(ids[1], 0x06010006, {}),
                                       testForm(ids[2], 0x06010014, {})};
  };
  program.resolveHandler = [](HandlerRef, Handler&) { return true; };
  program.start = [&] {
    Shell& shell = Shell::current();
    for (WindowId id : ids) shell.LoadStartWindow(id);
    // Close the windows one by one from the running loop, in the order under test.
    QTimer::singleShot(0, [&] {
      for (int which : GetParam()) {
        closedBeforeQuit.push_back(which);
        EXPECT_TRUE(shell.loopEntered());
        shell.loader().openWindow(ids[std::size_t(which)])->requestClose();
      }
    });
    shell.RunMessageLoop();
    for (WindowId id : ids)
      if (shell.loader().openWindow(id)) stillOpenAtEnd.push_back(id);
    return 0;
  };
  Shell shell;
  EXPECT_EQ(shell.run(program), 0);
  EXPECT_EQ(closedBeforeQuit.size(), 3u);
  EXPECT_TRUE(stillOpenAtEnd.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, QuitRuleTest,
                         ::testing::Values(std::vector<int>{0, 1, 2}, std::vector<int>{0, 2, 1},
                                           std::vector<int>{1, 0, 2}, std::vector<int>{1, 2, 0},
                                           std::vector<int>{2, 0, 1}, std::vector<int>{2, 1, 0}));

TEST(ShellTest, WithNoWindowOpenTheLoopReturnsAtOnceWithCodeZero) {
  bool exitRoutineRan = false;
  Program program;
  program.storedForms = [] { return std::vector<FormDefinition>{}; };
  program.start = [&] {
    Shell::current().registerExitRoutine([&] { exitRoutineRan = true; });
    Shell::current().RunMessageLoop();
    return 0;
  };
  Shell shell;
  EXPECT_EQ(shell.run(program), 0);
  EXPECT_TRUE(exitRoutineRan);
}

TEST(ShellTest, FatalTextHasItsPartsInOrder) {
  EXPECT_EQ(composeFatalText(messages::startWindowFailed, 0),
            std::string(messages::runtimeError) + "\r\n\r\n" + std::string(messages::errorMessageLead) +
                std::string(messages::startWindowFailed) + "\r\n");
  EXPECT_EQ(composeFatalText("", 7),
            std::string(messages::runtimeError) + "\r\n\r\n" + std::string(messages::errorCodeLead) + "7\r\n\r\n");
  EXPECT_EQ(composeFatalText("", 0), std::string(messages::runtimeError) + "\r\n\r\n");
  EXPECT_EQ(allocationFailureMessage(4096),
            std::string("\xb7\xd6\xc5\xe4 4096 \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!"));
}

// Fatal errors end the process: these run in a child process. The message box is replaced
// by a sink that prints the caption and text as hex, and the exit routine, if it ever ran,
// would end the child with a different status.
std::string hex(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

void runWithBrokenProgram(bool unreadableStore) {
  platform::setMessageBoxSink([](std::string_view caption, std::string_view text) {
    std::fprintf(stderr, "BOX[%s|%s]\n", hex(caption).c_str(), hex(text).c_str());
  });
  Program program = vtguideProgram();
  if (unreadableStore) {
    program.resolveHandler = [](HandlerRef, Handler&) { return false; };
  } else {
    program.storedForms = [] {
      auto forms = content::storedForms();
      forms[0].units[1].kind = 0x00010099;  // MainWindow's first control names no kind
      return forms;
    };
  }
  auto start = program.start;
  program.start = [start] {
    Shell::current().registerExitRoutine([] { std::_Exit(42); });
    Shell::current().LoadStartWindow(content::WindowIds::MainWindow);
    return 0;
  };
  Shell shell;
  shell.run(program);
}

TEST(ShellDeathTest, AStartWindowThatCannotBeBuiltIsFatal) {
  const std::string expected = "BOX\\[" + hex(messages::errorCaption) + "\\|" +
                               hex(composeFatalText(messages::startWindowFailed, 0)) + "\\]";
  EXPECT_EXIT(runWithBrokenProgram(false), ::testing::ExitedWithCode(255), expected);
}

TEST(ShellDeathTest, AStoreThatCannotBeReadIsFatal) {
  const std::string expected = "BOX\\[" + hex(messages::errorCaption) + "\\|" +
                               hex(composeFatalText(messages::storeUnreadable, 0)) + "\\]";
  EXPECT_EXIT(runWithBrokenProgram(true), ::testing::ExitedWithCode(255), expected);
}

TEST(ShellDeathTest, AnUnmetMemoryRequestIsFatalAndNamesItsSize) {
  const std::string expected = "BOX\\[" + hex(messages::errorCaption) + "\\|" +
                               hex(composeFatalText(allocationFailureMessage(123456789), 0)) + "\\]";
  auto run = [] {
    platform::setMessageBoxSink([](std::string_view caption, std::string_view text) {
      std::fprintf(stderr, "BOX[%s|%s]\n", hex(caption).c_str(), hex(text).c_str());
    });
    Program program = vtguideProgram();
    program.start = [] {
      Shell::current().registerExitRoutine([] { std::_Exit(42); });
      reportAllocationFailure(123456789);
      return 0;
    };
    Shell shell;
    shell.run(program);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(255), expected);
}

}  // namespace
}  // namespace vtg::shell
