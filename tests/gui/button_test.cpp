// The push button in process: clicks and focus through simulated input on the window,
// and where the caption lands in the rendered button.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/EmbeddedFiles.h"
#include "content/Forms.h"
#include "controls/Button.h"
#include "controls/TopWindow.h"
#include "forms/FormModel.h"
#include "forms/PropertyStream.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/Gbk.h"
#include "shell/WindowLoader.h"

namespace vtg::controls {
namespace {

constexpr WindowId kWindow = 0x52010001;
constexpr UnitId kFirst = 0x16010002;
constexpr UnitId kSecond = 0x16010003;

// Records every event a unit raises, in order, with whether the unit held the focus then.
class RecordingHost : public UnitHost {
 public:
  struct Event {
    UnitId unit;
    std::int32_t index;
    bool operator==(const Event&) const = default;
  };
  RaiseResult raiseEvent(WindowId window, UnitId unit, std::int32_t index,
                         std::span<const std::int32_t>) override {
    EXPECT_EQ(window, kWindow);
    events.push_back({unit, index});
    if (onEvent) onEvent(events.back());
    return {};
  }
  void unitGone(WindowId, UnitId) override {}
  void windowDestroyed(WindowId) override {}

  int clicks(UnitId unit = kFirst) const {
    int n = 0;
    for (const auto& e : events) n += e.unit == unit && e.index == ButtonEvent::clicked;
    return n;
  }
  std::vector<Event> events;
  std::function<void(const Event&)> onEvent;
};

Bytes ButtonBlock(std::string_view captionUtf8, std::uint32_t hAlign = 1, std::uint32_t vAlign = 1,
                  Bytes picture = {}, std::uint32_t type = 0) {
  PropertyWriter w;
  w.u32(1).u32(type).u32(hAlign).u32(vAlign).blob(picture).blob({}).text(
      platform::gbkFromUtf8(captionUtf8));
  return std::move(w).bytes();
}

// An uncompressed bottom-up 24-bit BMP file of one colour.
Bytes SolidBmp(int width, int height, QRgb colour) {
  const int stride = (width * 3 + 3) & ~3;
  PropertyWriter w;
  w.u32(0).u32(0).u32(0).u32(54);  // "BM" and the file size are patched in below
  w.u32(40).i32(width).i32(height).u32(1 | (24u << 16)).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
  Bytes b = std::move(w).bytes();
  b.erase(b.begin(), b.begin() + 2);  // the file header is 14 bytes, not 16
  b[0] = 'B';
  b[1] = 'M';
  const std::uint32_t size = 54 + stride * height;
  for (int i = 0; i < 4; ++i) b[2 + i] = std::uint8_t(size >> (8 * i));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      b.push_back(std::uint8_t(qBlue(colour)));
      b.push_back(std::uint8_t(qGreen(colour)));
      b.push_back(std::uint8_t(qRed(colour)));
    }
    b.resize(b.size() + (stride - width * 3), 0);
  }
  return b;
}

// Where the caption's ink is in a rendered button: pixels well darker than the face,
// searched inside the raised edge (2 pixels) and the focus ring (1 more).
struct Ink {
  QRect box;                  // empty when there is none
  std::vector<QRect> lines;   // one box per band of rows with ink, top to bottom
};

Ink FindInk(const QImage& image) {
  const int faceGrey = qGray(platform::buttonFaceColour().rgb());
  const QRect area = image.rect().adjusted(3, 3, -3, -3);
  const auto isInk = [&](int x, int y) { return qGray(image.pixel(x, y)) < faceGrey - 80; };
  Ink ink;
  std::optional<QRect> band;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    QRect row;
    for (int x = area.left(); x <= area.right(); ++x)
      if (isInk(x, y)) row |= QRect(x, y, 1, 1);
    if (row.isEmpty()) {
      if (band) ink.lines.push_back(*band);
      band.reset();
      continue;
    }
    band = band ? (*band | row) : row;
    ink.box |= row;
  }
  if (band) ink.lines.push_back(*band);
  return ink;
}

// How far the centre of `inner` lies from the centre of `outer`, per axis.
QPointF CentreOffset(const QRect& inner, const QRect& outer) {
  return QPointF((inner.left() + inner.right()) / 2.0 - (outer.left() + outer.right()) / 2.0,
                 (inner.top() + inner.bottom()) / 2.0 - (outer.top() + outer.bottom()) / 2.0);
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowCreateArgs args;
    args.width = 400;
    args.height = 300;
    args.windowId = kWindow;
    args.unitId = 0x06010000;
    window_ = TopWindow::create(args);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    host_.onEvent = nullptr;  // it may point into the finished test body
    delete window_;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  Button* make(const Bytes& block, QRect rect, std::uint32_t stateBits = StateBit::tabStop,
               UnitId unit = kFirst) {
    ControlCreateArgs args;
    args.ownData = block;
    args.stateBits = stateBits;
    args.window = window_;
    args.left = rect.left();
    args.top = rect.top();
    args.width = rect.width();
    args.height = rect.height();
    args.windowId = kWindow;
    args.unitId = unit;
    args.host = &host_;
    Button* b = Button::create(args);
    if (b) b->setVisible(true);
    return b;
  }
  void showActive() {
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
  }
  QWindow* handle() const { return window_->windowHandle(); }

  TopWindow* window_ = nullptr;
  RecordingHost host_;
};

// ---- Creating -----------------------------------------------------------------------------

TEST_F(ButtonTest, CreateIsRefusedForABlockTheReaderRejects) {
  Bytes version2 = ButtonBlock("x");
  version2[0] = 2;
  Bytes truncated = ButtonBlock("x");
  truncated.pop_back();
  EXPECT_EQ(make(version2, {0, 0, 80, 30}), nullptr);
  EXPECT_EQ(make(truncated, {0, 0, 80, 30}), nullptr);
  EXPECT_TRUE(window_->findChildren<Button*>().empty());
}

TEST_F(ButtonTest, ButtonIsMadeHiddenAtItsRectangleWithTheDefaultGuiFont) {
  ControlCreateArgs args;
  args.window = window_;
  args.left = 24;
  args.top = 216;
  args.width = 128;
  args.height = 32;
  args.stateBits = StateBit::tabStop;
  Button* b = Button::create(args);
  ASSERT_NE(b, nullptr);
  window_->show();
  EXPECT_FALSE(b->isVisible());  // the loader shows it
  EXPECT_EQ(b->geometry(), QRect(24, 216, 128, 32));
  EXPECT_EQ(b->buttonStyle(), 0x44012F00u);
  EXPECT_EQ(b->mnemonicText(), std::string(kDefaultButtonCaption));
  EXPECT_EQ(b->font(), platform::defaultGuiFont());
  EXPECT_FALSE(b->isDefaultPushButton());
  EXPECT_EQ(b->focusPolicy(), Qt::StrongFocus);
  EXPECT_TRUE(b->isEnabled());
}

TEST_F(ButtonTest, StateBitsAndTypeShapeTheWidget) {
  Button* disabled = make(ButtonBlock("a"), {0, 0, 80, 30}, StateBit::disabled);
  Button* notTabStop = make(ButtonBlock("a"), {0, 40, 80, 30}, 0);
  Button* asDefault = make(ButtonBlock("a", 1, 1, {}, 1), {0, 80, 80, 30});
  ASSERT_TRUE(disabled && notTabStop && asDefault);
  EXPECT_FALSE(disabled->isEnabled());
  EXPECT_EQ(notTabStop->focusPolicy(), Qt::StrongFocus);  // a click still gives the focus
  EXPECT_TRUE(asDefault->isDefaultPushButton());
  EXPECT_EQ(asDefault->buttonStyle(), 0x44012F01u);
}

// Counts the double-click events a widget receives.
struct DoubleClickCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    count += event->type() == QEvent::MouseButtonDblClick;
    return false;
  }
  int count = 0;
};

TEST_F(ButtonTest, FontComesFromTheButtonsOwnDescriptionNeverFromItsWindow) {
  QFont big = window_->font();
  big.setPixelSize(30);
  window_->setFont(big);
  const auto withFont = [](Bytes font) {
    PropertyWriter w;
    w.u32(1).u32(0).u32(1).u32(1).blob({}).blob(font).text("OK");
    return std::move(w).bytes();
  };
  Bytes fontSpec(60, 0);
  fontSpec[0] = 0xEC;  // lfHeight -20: a character height of 20 pixels
  fontSpec[1] = fontSpec[2] = fontSpec[3] = 0xFF;
  Button* own = make(withFont(fontSpec), {0, 0, 80, 30});
  Button* tooShort = make(withFont(Bytes(59, 0)), {0, 40, 80, 30});
  Button* none = make(ButtonBlock("OK"), {0, 80, 80, 30});
  ASSERT_TRUE(own && tooShort && none);
  EXPECT_EQ(own->font().pixelSize(), 20);
  EXPECT_EQ(tooShort->font(), platform::defaultGuiFont());
  EXPECT_EQ(none->font(), platform::defaultGuiFont());
}

// ---- Clicking ----------------------------------------------------------------------------

TEST_F(ButtonTest, ClicksFollowTheMouseAndSpaceOnly) {
  const QRect rect(10, 10, 100, 30);
  const QPoint inside = rect.center();
  const QPoint outside(250, 200);
  struct Case {
    const char* name;
    std::function<void(QWindow*)> act;
    int clicks;
    int doubleClickEvents = 0;
  };
  const Case cases[] = {
      {"press and release over it", [&](QWindow* w) { QTest::mouseClick(w, Qt::LeftButton, {}, inside); }, 1},
      {"release elsewhere",
       [&](QWindow* w) {
         QTest::mousePress(w, Qt::LeftButton, {}, inside);
         QTest::mouseMove(w, outside);
         QTest::mouseRelease(w, Qt::LeftButton, {}, outside);
       },
       0},
      {"moved out and back before the release",
       [&](QWindow* w) {
         QTest::mousePress(w, Qt::LeftButton, {}, inside);
         QTest::mouseMove(w, outside);
         QTest::mouseMove(w, inside + QPoint(5, 0));
         QTest::mouseRelease(w, Qt::LeftButton, {}, inside + QPoint(5, 0));
       },
       1},
      {"the right button", [&](QWindow* w) { QTest::mouseClick(w, Qt::RightButton, {}, inside); }, 0},
      // The second press arrives as a double-click event; it must press all the same.
      {"a double click counts twice",
       [&](QWindow* w) { QTest::mouseDClick(w, Qt::LeftButton, {}, inside); }, 2, 1},
      {"Space while focused", [](QWindow* w) { QTest::keyClick(w, Qt::Key_Space); }, 1},
      {"Alt+Space while focused",
       [](QWindow* w) { QTest::keyClick(w, Qt::Key_Space, Qt::AltModifier); }, 0},
      {"Enter while focused", [](QWindow* w) { QTest::keyClick(w, Qt::Key_Return); }, 0},
      {"keypad Enter while focused", [](QWindow* w) { QTest::keyClick(w, Qt::Key_Enter); }, 0},
      {"Space pressed, focus taken away before its release",
       [](QWindow* w) {
         QTest::keyPress(w, Qt::Key_Space);
         QApplication::focusWidget()->clearFocus();
         QTest::keyRelease(w, Qt::Key_Space);
       },
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host_.events.clear();
    delete window_->findChild<Button*>();
    Button* b = make(ButtonBlock("OK"), rect);
    ASSERT_NE(b, nullptr);
    showActive();
    b->setFocus();
    DoubleClickCounter doubleClicks;
    b->installEventFilter(&doubleClicks);
    c.act(handle());
    EXPECT_EQ(host_.clicks(), c.clicks);
    EXPECT_EQ(doubleClicks.count, c.doubleClickEvents);
    EXPECT_FALSE(b->isDown());
  }
}

TEST_F(ButtonTest, ADisabledButtonIsSilent) {
  Button* b = make(ButtonBlock("OK"), {10, 10, 100, 30}, StateBit::disabled | StateBit::tabStop);
  ASSERT_NE(b, nullptr);
  showActive();
  QTest::mouseClick(handle(), Qt::LeftButton, {}, QPoint(60, 25));
  b->setFocus();
  QTest::keyClick(handle(), Qt::Key_Space);
  b->fireClick();
  EXPECT_TRUE(host_.events.empty());
  EXPECT_FALSE(b->hasFocus());
}

TEST_F(ButtonTest, FireClickReportsOneClickWithoutPressing) {
  Button* b = make(ButtonBlock("OK", 1, 1, {}, 1), {10, 10, 100, 30});
  ASSERT_NE(b, nullptr);
  showActive();
  bool downDuringClick = true;
  host_.onEvent = [&](const RecordingHost::Event&) { downDuringClick = b->isDown(); };
  b->fireClick();
  EXPECT_EQ(host_.events, (std::vector<RecordingHost::Event>{{kFirst, ButtonEvent::clicked}}));
  EXPECT_FALSE(downDuringClick);
}

TEST_F(ButtonTest, FocusIsReportedAfterItHasMoved) {
  Button* first = make(ButtonBlock("1"), {10, 10, 100, 30}, StateBit::tabStop, kFirst);
  Button* second = make(ButtonBlock("2"), {10, 50, 100, 30}, 0, kSecond);
  ASSERT_TRUE(first && second);
  showActive();
  host_.events.clear();
  std::vector<bool> focusedAtEvent;
  host_.onEvent = [&](const RecordingHost::Event& e) {
    Button* b = e.unit == kFirst ? first : second;
    focusedAtEvent.push_back(QApplication::focusWidget() == b);
  };
  first->setFocus(Qt::TabFocusReason);
  // A press gives the focus, even to a button that is no tab stop; the click follows.
  QTest::mouseClick(handle(), Qt::LeftButton, {}, QPoint(60, 65));
  using E = RecordingHost::Event;
  EXPECT_EQ(host_.events, (std::vector<E>{{kFirst, CommonEvent::focusGained},
                                          {kFirst, CommonEvent::focusLost},
                                          {kSecond, CommonEvent::focusGained},
                                          {kSecond, ButtonEvent::clicked}}));
  EXPECT_EQ(focusedAtEvent, (std::vector<bool>{true, false, true, true}));
}

// ---- Look --------------------------------------------------------------------------------

TEST_F(ButtonTest, EmptyBlockReadsButtonCentredInTheDefaultFont) {
  ControlCreateArgs args;
  args.window = window_;
  args.width = 128;
  args.height = 40;
  Button* b = Button::create(args);
  ASSERT_NE(b, nullptr);
  const Ink ink = FindInk(b->grab().toImage());
  ASSERT_FALSE(ink.box.isEmpty());
  ASSERT_EQ(ink.lines.size(), 1u);
  // Two CJK characters of the 12-pixel font: about 24 pixels of ink, not more.
  const QFontMetrics fm(platform::defaultGuiFont());
  const int advance = fm.horizontalAdvance(platform::unicodeFromGbk(kDefaultButtonCaption));
  EXPECT_LE(ink.box.width(), advance);
  EXPECT_GE(ink.box.width(), advance - 4);
  EXPECT_LE(ink.box.height(), fm.height());
  const QPointF off = CentreOffset(ink.box, QRect(0, 0, 128, 40));
  EXPECT_LE(std::abs(off.x()), 1.5) << off.x();
  EXPECT_LE(std::abs(off.y()), 2.0) << off.y();
}

TEST_F(ButtonTest, CaptionWiderThanTheButtonWrapsAndStaysCentred) {
  Button* b = make(ButtonBlock("映泰主板映泰主板"), {0, 0, 72, 60});
  ASSERT_NE(b, nullptr);
  const Ink ink = FindInk(b->grab().toImage());
  ASSERT_EQ(ink.lines.size(), 2u);
  EXPECT_GT(ink.lines[0].width(), ink.lines[1].width());  // the break, not two halves
  for (const QRect& line : ink.lines)
    EXPECT_LE(std::abs(CentreOffset(line, QRect(0, 0, 72, 60)).x()), 1.5);
  EXPECT_LE(std::abs(CentreOffset(ink.box, QRect(0, 0, 72, 60)).y()), 2.0);
}

TEST_F(ButtonTest, AlignmentPlacesTheCaption) {
  struct Case {
    const char* name;
    std::uint32_t hAlign, vAlign;
    int left, right, top, bottom;  // -1: the side is not checked
  };
  // Distances from the button's edges to the ink: 2 of edge, a focus ring and a gap,
  // and a little of the glyphs' own margin.
  const Case cases[] = {
      {"hAlign 0 at the left", 0, 1, 4, -1, -1, -1},
      {"hAlign 5 at the right", 5, 1, -1, 4, -1, -1},
      {"vAlign 0 at the top", 1, 0, -1, -1, 4, -1},
      {"vAlign 7 at the bottom", 1, 7, -1, -1, -1, 4},
  };
  const QRect rect(0, 0, 140, 60);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    delete window_->findChild<Button*>();
    Button* b = make(ButtonBlock("华硕主板", c.hAlign, c.vAlign), rect);
    ASSERT_NE(b, nullptr);
    const Ink ink = FindInk(b->grab().toImage());
    ASSERT_EQ(ink.lines.size(), 1u);
    const int gaps[] = {ink.box.left(), rect.right() - ink.box.right(), ink.box.top(),
                        rect.bottom() - ink.box.bottom()};
    const int wanted[] = {c.left, c.right, c.top, c.bottom};
    for (int side = 0; side < 4; ++side) {
      if (wanted[side] < 0) {
        EXPECT_GT(gaps[side], 10) << "side " << side;
      } else {
        EXPECT_GE(gaps[side], wanted[side]) << "side " << side;
        EXPECT_LE(gaps[side], wanted[side] + 5) << "side " << side;
      }
    }
  }
}

TEST_F(ButtonTest, PressedButtonIsSunkenAndItsCaptionShifts) {
  Button* b = make(ButtonBlock("OK"), {10, 10, 100, 30});
  ASSERT_NE(b, nullptr);
  const QImage raised = b->grab().toImage();
  b->setDown(true);
  const QImage sunken = b->grab().toImage();
  const int face = qGray(platform::buttonFaceColour().rgb());
  // Raised: light top-left, dark bottom-right. Sunken: the other way round at the top-left.
  EXPECT_GT(qGray(raised.pixel(0, 0)), face);
  EXPECT_LT(qGray(raised.pixel(99, 29)), face);
  EXPECT_LT(qGray(sunken.pixel(0, 0)), face);
  const QRect before = FindInk(raised).box;
  const QRect after = FindInk(sunken).box;
  ASSERT_FALSE(before.isEmpty());
  EXPECT_EQ(after.topLeft() - before.topLeft(), QPoint(1, 1));
}

TEST_F(ButtonTest, DefaultButtonHasADarkOutlineAroundItsRaisedEdge) {
  Button* normal = make(ButtonBlock("OK"), {10, 10, 100, 30});
  Button* asDefault = make(ButtonBlock("OK", 1, 1, {}, 1), {10, 50, 100, 30});
  ASSERT_TRUE(normal && asDefault);
  const QImage n = normal->grab().toImage();
  const QImage d = asDefault->grab().toImage();
  const int face = qGray(platform::buttonFaceColour().rgb());
  EXPECT_GT(qGray(n.pixel(0, 0)), face);
  EXPECT_LT(qGray(d.pixel(0, 0)), 64);   // the outline
  EXPECT_LT(qGray(d.pixel(50, 0)), 64);
  EXPECT_GT(qGray(d.pixel(1, 1)), face);  // the raised edge inside it
}

TEST_F(ButtonTest, FocusedButtonShowsADottedRectangleInsideItsEdge) {
  Button* b = make(ButtonBlock("OK"), {10, 10, 100, 30});
  ASSERT_NE(b, nullptr);
  showActive();
  window_->setFocus();
  const QImage plain = b->grab().toImage();
  b->setFocus();
  ASSERT_TRUE(b->hasFocus());
  const QImage focused = b->grab().toImage();
  const int face = qGray(platform::buttonFaceColour().rgb());
  int dark = 0, light = 0;
  for (int x = 10; x < 90; ++x) {
    EXPECT_EQ(plain.pixel(x, 3), plain.pixel(x, 4)) << x;
    (qGray(focused.pixel(x, 3)) < face - 40 ? dark : light) += 1;
  }
  // Every other pixel: dotted, not a solid line.
  EXPECT_GT(dark, 30);
  EXPECT_GT(light, 30);
}

TEST_F(ButtonTest, APictureThatDecodesReplacesTheCaption) {
  const QRgb red = qRgb(255, 0, 0);
  Button* bitmap = make(ButtonBlock("OK", 1, 1, SolidBmp(8, 6, red)), {0, 0, 100, 30});
  Button* icon = make(ButtonBlock("OK", 1, 1, Bytes(content::DefaultIcon().begin(),
                                                    content::DefaultIcon().end())),
                      {0, 40, 100, 60});
  Button* broken = make(ButtonBlock("OK", 1, 1, Bytes{'B', 'M', 1, 2, 3, 4, 5, 6}), {0, 110, 100, 30});
  ASSERT_TRUE(bitmap && icon && broken);
  EXPECT_EQ(bitmap->buttonStyle(), 0x44012F80u);
  EXPECT_EQ(icon->buttonStyle(), 0x44012F40u);
  EXPECT_EQ(broken->buttonStyle(), 0x44012F00u);

  const QImage shown = bitmap->grab().toImage();
  QRect redBox;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixel(x, y) == red) redBox |= QRect(x, y, 1, 1);
  EXPECT_EQ(redBox.size(), QSize(8, 6));  // at its own size
  EXPECT_LE(std::abs(CentreOffset(redBox, QRect(0, 0, 100, 30)).x()), 1.0);
  EXPECT_LE(std::abs(CentreOffset(redBox, QRect(0, 0, 100, 30)).y()), 1.0);
  EXPECT_EQ(FindInk(shown).box, redBox);  // the only dark thing: no caption beside it
  EXPECT_FALSE(FindInk(broken->grab().toImage()).box.isEmpty());  // its caption instead
}

// MainWindow's own buttons, loaded the way the program loads them.
TEST(MainWindowButtons, EveryCaptionStaysOnOneCentredLine) {
  auto store = FormStore::build(content::storedForms(), [](HandlerRef, Handler& out) {
    out = [](std::span<const std::int32_t>) -> HandlerResult { return std::nullopt; };
    return true;
  });
  ASSERT_TRUE(store);
  shell::WindowLoader loader(*store, {});
  ASSERT_TRUE(loader.LoadWindow(kWindow));
  TopWindow* window = loader.openWindow(kWindow);
  ASSERT_NE(window, nullptr);
  const auto buttons = window->findChildren<Button*>();
  ASSERT_EQ(buttons.size(), 5);
  const int lineHeight = QFontMetrics(platform::defaultGuiFont()).height();
  for (Button* b : buttons) {
    const QString caption = platform::unicodeFromGbk(b->mnemonicText());
    SCOPED_TRACE(caption.toStdString());
    EXPECT_EQ(b->buttonStyle(), 0x44012F00u);
    EXPECT_TRUE(b->isVisible());
    const QImage image = b->grab().toImage();
    const Ink ink = FindInk(image);
    ASSERT_EQ(ink.lines.size(), 1u);
    EXPECT_LE(ink.box.height(), lineHeight);
    const QPointF off = CentreOffset(ink.box, image.rect());
    EXPECT_LE(std::abs(off.x()), 1.5) << off.x();
    EXPECT_LE(std::abs(off.y()), 2.0) << off.y();
  }
  loader.closeAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A click on each of MainWindow's buttons runs the handler its definition binds, once.
TEST(MainWindowButtons, AClickRunsTheBoundHandler) {
  std::vector<HandlerRef> ran;
  auto store = FormStore::build(content::storedForms(), [&ran](HandlerRef ref, Handler& out) {
    out = [&ran, ref](std::span<const std::int32_t>) -> HandlerResult {
      ran.push_back(ref);
      return std::nullopt;
    };
    return true;
  });
  ASSERT_TRUE(store);
  shell::WindowLoader loader(*store, {});
  ASSERT_TRUE(loader.LoadWindow(kWindow));
  TopWindow* window = loader.openWindow(kWindow);
  ASSERT_NE(window, nullptr);
  const std::pair<const char*, HandlerRef> expected[] = {
      {"映泰主板", content::HandlerRefs::OpenBiostarGuide},
      {"微星主板", content::HandlerRefs::OpenMsiGuide},
      {"技嘉主板", content::HandlerRefs::OpenGigabyteGuide},
      {"什么是BIOS", content::HandlerRefs::OpenBiosIntro},
      {"华硕主板", content::HandlerRefs::OpenAsusGuide},
  };
  for (const auto& [caption, ref] : expected) {
    SCOPED_TRACE(caption);
    Button* button = nullptr;
    for (Button* b : window->findChildren<Button*>())
      if (b->mnemonicText() == platform::gbkFromUtf8(caption)) button = b;
    ASSERT_NE(button, nullptr);
    ran.clear();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      button->mapTo(window, button->rect().center()));
    EXPECT_EQ(ran, std::vector<HandlerRef>{ref});
  }
  loader.closeAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace vtg::controls
