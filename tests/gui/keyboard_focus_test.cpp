// Keys and focus in a window: Tab order, Enter and default push buttons, Esc, mnemonics,
// the first focus and the focus remembered across deactivation.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "WindowFixture.h"
#include "controls/KeyboardFocus.h"
#include "controls/TopWindow.h"
#include "controls/WindowProperties.h"
#include "forms/PropertyStream.h"

namespace vtg::testing {
namespace {

using controls::TabEntry;
using controls::TopWindow;
namespace Ids = content::WindowIds;
namespace KeyCode = controls::KeyCode;

// ---- The pure parts -------------------------------------------------------------------

TEST(TabOrder, GoesByTabOrderThenFromTheLastUnitAndWrapsBothWays) {
  // Positions 0..5; 1 and 4 cannot take the focus; 0, 2 and 3 share tabOrder 0.
  const TabEntry entries[] = {{0, true}, {0, false}, {0, true}, {0, true}, {-1, false}, {5, true}};
  // Forward from each position, and backward.
  struct Case {
    int from;
    int forward;
    int backward;
  };
  const Case cases[] = {
      {3, 2, 5},  // ties go from the later unit to the earlier; before the first is the last
      {2, 0, 3},
      {0, 5, 2},
      {5, 3, 0},  // after the last comes the first again
      {1, 0, 2},  // from a unit that is no candidate, by its own place in the order
      {4, 3, 5},  // tabOrder -1 sorts before everything
  };
  for (const auto& c : cases) {
    EXPECT_EQ(controls::nextInTabOrder(entries, c.from, true), c.forward) << "from " << c.from;
    EXPECT_EQ(controls::nextInTabOrder(entries, c.from, false), c.backward) << "from " << c.from;
  }
  EXPECT_EQ(controls::firstInTabOrder(entries), 3);
}

TEST(TabOrder, ALoneCandidateComesBackToItselfAndNoneGivesNothing) {
  const TabEntry one[] = {{0, false}, {0, true}};
  EXPECT_EQ(controls::nextInTabOrder(one, 1, true), 1);
  EXPECT_EQ(controls::nextInTabOrder(one, 1, false), 1);
  const TabEntry none[] = {{0, false}, {3, false}};
  EXPECT_EQ(controls::nextInTabOrder(none, 0, true), -1);
  EXPECT_EQ(controls::firstInTabOrder(none), -1);
  EXPECT_EQ(controls::firstInTabOrder({}), -1);
}

TEST(Mnemonic, IsTheCharacterAfterAnAmpersandInEitherCase) {
  struct Case {
    std::string_view text;
    char ch;
    bool found;
  };
  const Case cases[] = {
      {"&Open", 'O', true},   {"&open", 'O', true},  {"Sa&ve", 'v', true},   {"Save", 'S', false},
      {"A&&B", 'B', false},   // "&&" is an ampersand, not a marker
      {"A&&&B", 'B', true},   {"End&", 'D', false},  {"&1st", '1', true},
      {"\xb0\xb4&K", 'K', true},  // after a double-byte character
      {"\xb0&x", 'x', false},     // 0xB0 0x26 is one double-byte character, no marker
      {"&Open &Save", 'S', true},
  };
  for (const auto& c : cases) EXPECT_EQ(controls::hasMnemonic(c.text, c.ch), c.found) << c.text << " " << c.ch;
}

TEST(KeyCodes, CarryTheModifiersAndTreatKeypadDigitsAsDigits) {
  struct Case {
    int key;
    Qt::KeyboardModifiers mods;
    std::uint32_t code;
  };
  const Case cases[] = {
      {Qt::Key_Tab, Qt::NoModifier, 0x09},
      {Qt::Key_Backtab, Qt::ShiftModifier, 0x4009},
      {Qt::Key_Backtab, Qt::NoModifier, 0x4009},
      {Qt::Key_Return, Qt::NoModifier, 0x0D},
      {Qt::Key_Enter, Qt::KeypadModifier, 0x0D},
      {Qt::Key_Escape, Qt::NoModifier, 0x1B},
      {Qt::Key_F1, Qt::NoModifier, 0x70},
      {Qt::Key_A, Qt::AltModifier, 0x8041},
      {Qt::Key_7, Qt::KeypadModifier, 0x37},
      {Qt::Key_7, Qt::KeypadModifier | Qt::AltModifier, 0x8037},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, 0xE05A},
      {Qt::Key_Shift, Qt::ShiftModifier, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(controls::keyCodeFor(c.key, c.mods), c.code) << std::hex << c.key;
}

// ---- In windows -----------------------------------------------------------------------

class KeyboardFocusTest : public WindowFixture {};

TEST_F(KeyboardFocusTest, MainWindowStartsOnButton1AndTabGoesRoundItsFiveButtons) {
  useForms({storedForm(Ids::MainWindow)});
  TopWindow* window = open(Ids::MainWindow);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(focusedName(window), "按钮1");

  std::vector<std::string> forward, backward;
  for (int i = 0; i < 5; ++i) {
    type(window, Qt::Key_Tab);
    forward.push_back(focusedName(window));
  }
  EXPECT_EQ(forward, (std::vector<std::string>{"按钮2", "按钮3", "按钮4", "按钮5", "按钮1"}));
  for (int i = 0; i < 5; ++i) {
    type(window, Qt::Key_Backtab, Qt::ShiftModifier);
    backward.push_back(focusedName(window));
  }
  EXPECT_EQ(backward, (std::vector<std::string>{"按钮5", "按钮4", "按钮3", "按钮2", "按钮1"}));
  EXPECT_EQ(QApplication::focusWidget(), window->focusedControl()->widget());
}

TEST_F(KeyboardFocusTest, EnterDoesNothingAndEscClosesWhileAButtonHasTheFocus) {
  FormDefinition form = storedForm(Ids::MainWindow);
  recordEvents(form, {controls::WindowEvent::closeRequest, controls::WindowEvent::destroying});
  useForms({form});
  TopWindow* window = open(Ids::MainWindow);
  ASSERT_NE(window, nullptr);
  type(window, Qt::Key_Tab);
  takeLog();

  type(window, Qt::Key_Return);
  type(window, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(takeLog(), std::vector<std::string>{});  // no button clicked
  EXPECT_EQ(focusedName(window), "按钮2");

  type(window, Qt::Key_Escape);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"A0:1", "A0:2", "gone"}));
  EXPECT_EQ(loader_->openWindow(Ids::MainWindow), nullptr);
}

TEST_F(KeyboardFocusTest, EscThatIsRefusedOrSwitchedOffLeavesTheWindowOpen) {
  FormDefinition refusing = storedForm(Ids::GigabyteGuide);
  recordEvents(refusing, {controls::WindowEvent::closeRequest, controls::WindowEvent::destroying});
  controls::WindowProperties noEsc;
  noEsc.escCloses = false;
  FormDefinition noEscForm = storedForm(Ids::AsusGuide);
  noEscForm.units[0].ownData = controls::writeWindowProperties(noEsc);
  recordEvents(noEscForm, {controls::WindowEvent::closeRequest}, 'B');
  useForms({refusing, noEscForm});
  answers_["A0:1"] = 0;

  TopWindow* first = open(Ids::GigabyteGuide);
  ASSERT_NE(first, nullptr);
  type(first, Qt::Key_Escape);
  EXPECT_EQ(logOf('A'), std::vector<std::string>{"A0:1"});
  EXPECT_EQ(loader_->openWindow(Ids::GigabyteGuide), first);

  TopWindow* second = open(Ids::AsusGuide);
  ASSERT_NE(second, nullptr);
  type(second, Qt::Key_Escape);
  EXPECT_EQ(logOf('B'), std::vector<std::string>{});
  EXPECT_EQ(loader_->openWindow(Ids::AsusGuide), second);
}

TEST_F(KeyboardFocusTest, AGuideWindowKeepsTheFocusItselfAndOnlyEscDoesAnything) {
  FormDefinition form = storedForm(Ids::BiostarGuide);
  recordEvents(form, {0, controls::WindowEvent::closeRequest, controls::WindowEvent::destroying});
  useForms({form});
  TopWindow* window = open(Ids::BiostarGuide);
  ASSERT_NE(window, nullptr);
  takeLog();
  EXPECT_TRUE(window->hasFocus());
  for (auto [key, mods] : {std::pair{Qt::Key_Tab, Qt::NoModifier}, std::pair{Qt::Key_Backtab, Qt::ShiftModifier},
                           std::pair{Qt::Key_Return, Qt::NoModifier}, std::pair{Qt::Key_A, Qt::AltModifier}}) {
    type(window, key, mods);
    EXPECT_TRUE(window->hasFocus()) << key;
    EXPECT_EQ(window->focusedControl(), nullptr) << key;
  }
  EXPECT_EQ(takeLog(), std::vector<std::string>{});
  type(window, Qt::Key_Escape);
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"A0:1", "A0:2", "gone"}));
}

TEST_F(KeyboardFocusTest, TheFocusComesBackToTheButtonThatHadItAfterAnotherWindowWasActive) {
  useForms({storedForm(Ids::MainWindow), storedForm(Ids::BiosIntro)});
  TopWindow* main = open(Ids::MainWindow);
  ASSERT_NE(main, nullptr);
  type(main, Qt::Key_Tab);
  type(main, Qt::Key_Tab);
  ASSERT_EQ(focusedName(main), "按钮3");

  TopWindow* intro = open(Ids::BiosIntro);
  ASSERT_NE(intro, nullptr);
  EXPECT_TRUE(intro->hasFocus());
  ASSERT_TRUE(loader_->LoadWindow(Ids::MainWindow));
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  EXPECT_EQ(focusedName(main), "按钮3");

  // A remembered button that can no longer take the focus gives way to the first one.
  type(main, Qt::Key_Tab);
  ASSERT_EQ(focusedName(main), "按钮4");
  ASSERT_TRUE(loader_->LoadWindow(Ids::BiosIntro));
  ASSERT_TRUE(QTest::qWaitForWindowActive(intro));
  main->focusedControl()->widget()->setEnabled(false);
  ASSERT_TRUE(loader_->LoadWindow(Ids::MainWindow));
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  EXPECT_EQ(focusedName(main), "按钮1");
}

// A window with three push buttons in list order: a normal one, then two default ones.
Bytes buttonBlock(std::uint32_t type, std::string_view caption) {
  PropertyWriter w;
  w.u32(1).u32(type).u32(1).u32(1).i32(0).i32(0).text(caption);
  return std::move(w).bytes();
}

constexpr WindowId kButtons = 0x52010201;

FormDefinition buttonsWindow(const controls::WindowProperties& props,
                             std::vector<std::pair<std::uint32_t, std::string_view>> buttons) {
  UnitDefinition w{.id = 0x06010201, .kind = KindCode::window, .left = 50, .top = 50, .width = 400,
                   .height = 200, .flags = UnitFlag::visible};
  w.ownData = controls::writeWindowProperties(props);
  FormDefinition form{kButtons, {w}};
  int x = 10;
  std::uint32_t serial = 1;
  for (auto [type, caption] : buttons) {
    UnitDefinition b{.id = 0x16010200 + serial++, .kind = KindCode::Button, .left = x, .top = 10,
                     .width = 80, .height = 30, .flags = UnitFlag::visible | UnitFlag::tabStop};
    b.ownData = buttonBlock(type, caption);
    form.units.push_back(b);
    x += 90;
  }
  recordEvents(form, {0});
  return form;
}

TEST_F(KeyboardFocusTest, EnterClicksTheFocusedDefaultButtonOrElseTheFirstEnabledOne) {
  struct Case {
    const char* what;
    int focusPosition;      // unit position that has the focus when Enter comes
    int disabledPosition;   // 0: none
    bool enterMovesFocus;
    std::vector<std::string> clicks;
    int focusAfter;
  };
  const Case cases[] = {
      {"focused default button", 3, 0, false, {"A3:0"}, 3},
      {"normal button focused: first default in list order", 1, 0, false, {"A2:0"}, 1},
      {"the first default is disabled", 1, 2, false, {"A3:0"}, 1},
      {"enterMovesFocus on a normal button moves on instead", 1, 0, true, {}, 3},
      {"enterMovesFocus still clicks a focused default button", 2, 0, true, {"A2:0"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    controls::WindowProperties props;
    props.enterMovesFocus = c.enterMovesFocus;
    useForms({buttonsWindow(props, {{0, "One"}, {1, "Two"}, {1, "Three"}})});
    TopWindow* window = open(kButtons);
    ASSERT_NE(window, nullptr);
    const FormDefinition* form = store_->find(kButtons);
    auto widgetAt = [&](int position) {
      for (auto* child : window->findChildren<QWidget*>())
        if (child->geometry().topLeft() == QPoint(10 + 90 * (position - 1), 10)) return child;
      return static_cast<QWidget*>(nullptr);
    };
    if (c.disabledPosition) widgetAt(c.disabledPosition)->setEnabled(false);
    widgetAt(c.focusPosition)->setFocus(Qt::OtherFocusReason);
    takeLog();
    type(window, Qt::Key_Return);
    EXPECT_EQ(takeLog(), c.clicks);
    ASSERT_NE(window->focusedControl(), nullptr);
    EXPECT_EQ(window->focusedControl()->unitId(), form->units[std::size_t(c.focusAfter)].id);
  }
}

TEST_F(KeyboardFocusTest, AltAndTheMarkedCharacterClicksTheButton) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    std::vector<std::string> clicks;
  };
  const Case cases[] = {
      {Qt::Key_O, Qt::AltModifier, {"A1:0"}},
      {Qt::Key_V, Qt::AltModifier, {"A2:0"}},
      {Qt::Key_2, Qt::AltModifier | Qt::KeypadModifier, {"A3:0"}},
      {Qt::Key_O, Qt::AltModifier | Qt::ShiftModifier, {}},
      {Qt::Key_O, Qt::AltModifier | Qt::ControlModifier, {}},
      {Qt::Key_O, Qt::NoModifier, {}},
      {Qt::Key_X, Qt::AltModifier, {}},
  };
  useForms({buttonsWindow({}, {{0, "&Open"}, {0, "Sa&ve"}, {0, "No&2"}})});
  TopWindow* window = open(kButtons);
  ASSERT_NE(window, nullptr);
  const std::string before = focusedName(window);
  for (const auto& c : cases) {
    takeLog();
    type(window, c.key, c.mods);
    EXPECT_EQ(takeLog(), c.clicks) << c.key << " " << c.mods.toInt();
  }
  EXPECT_EQ(focusedName(window), before);  // a mnemonic clicks, it does not move the focus

  for (auto* child : window->findChildren<QWidget*>()) child->setEnabled(child->geometry().left() != 10);
  takeLog();
  type(window, Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(takeLog(), std::vector<std::string>{}) << "a disabled button is not clicked";
}

// A control of the test's own with a text, standing in for a label: it never takes the
// focus, and an Alt mnemonic on it moves the focus on from its place in the order.
class TextControl : public QWidget, public controls::ControlUnit {
 public:
  TextControl(const controls::ControlCreateArgs& args, std::string text, bool focusable)
      : QWidget(args.window), ControlUnit(args), text_(std::move(text)), focusable_(focusable) {
    setGeometry(args.left, args.top, args.width, args.height);
    if (focusable_) setFocusPolicy(Qt::StrongFocus);
  }
  QWidget* widget() override { return this; }
  bool canTakeFocus() const override { return focusable_; }
  std::string_view mnemonicText() const override { return text_; }
  void fireClick() override { ++clicks; }
  int clicks = 0;

 private:
  std::string text_;
  bool focusable_;
};

TEST(KeyboardFocusLabels, AMnemonicOnALabelMovesTheFocusOnFromTheLabel) {
  controls::WindowCreateArgs args;
  args.width = 300;
  args.height = 200;
  TopWindow* window = TopWindow::create(args);
  ASSERT_NE(window, nullptr);
  auto make = [&](int x, std::string text, bool focusable) {
    controls::ControlCreateArgs a;
    a.window = window;
    a.left = x;
    a.width = 40;
    a.height = 20;
    auto* c = new TextControl(a, std::move(text), focusable);
    c->show();
    return c;
  };
  // In list order: a button, a label "&Name", a second button; equal tabOrder.
  TextControl* first = make(0, "First", true);
  TextControl* label = make(50, "&Name", false);
  TextControl* second = make(100, "Second", true);
  const std::uint32_t stop = UnitFlag::visible | UnitFlag::tabStop;
  window->setControls({{first, 0, stop}, {label, 0, stop}, {second, 0, stop}});
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  // Ties go from the last unit, so the order is second, label's place, first.
  EXPECT_EQ(window->focusedControl(), second);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(window->focusedControl(), first);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(window->focusedControl(), first);
  EXPECT_EQ(first->clicks + label->clicks + second->clicks, 0);
  delete window;
}

}  // namespace
}  // namespace vtg::testing
