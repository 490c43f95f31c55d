// The top-level window: its frame, place and size, title and icon, background, closing,
// and the events it reports.

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "WindowFixture.h"
#include "content/EmbeddedFiles.h"
#include "controls/ProgramIcon.h"
#include "controls/TopWindow.h"
#include "controls/WindowProperties.h"

namespace vtg::testing {
namespace {

using controls::TopWindow;
using controls::WindowProperties;
namespace Ids = content::WindowIds;

constexpr WindowId kHandMade = 0x52010101;
constexpr WindowId kHandMade2 = 0x52010102;

// A window of the given outer size with the given settings and no controls.
FormDefinition bareWindow(WindowId id, int width, int height, const WindowProperties& props = {},
                          bool storeDefaults = false) {
  UnitDefinition w{.id = 0x06010000u + (id & 0xFF), .kind = KindCode::window, .left = 50, .top = 50,
                   .width = width, .height = height, .flags = UnitFlag::visible};
  if (storeDefaults || !(props == WindowProperties{})) w.ownData = controls::writeWindowProperties(props);
  return {id, {w}};
}

QString visibleText(QString title) { return title.remove(QChar(0x200B)); }

class TopWindowTest : public WindowFixture {};

// The stored size is the outer size, centred on the whole screen with a division that
// truncates towards zero; the offscreen screen is 800 x 800.
TEST_F(TopWindowTest, StoredWindowsHaveTheirOuterSizeCentredOnTheScreen) {
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
 if (screen != QSize(800, 800))
    GTEST_SKIP() << "the expected places are for an 800 x 800 screen, not " << screen.width() << " x "
                 << screen.height();
  struct Case {
    WindowId id;
    QSize outer;
    QPoint place;
  };
  const Case cases[] = {
      {Ids::MainWindow, {651, 693}, {74, 53}},
      {Ids::MsiGuide, {815, 869}, {-7, -34}},  // larger than the screen: -7.5 and -34.5 become -7 and -34
      {Ids::BiostarGuide, {825, 618}, {-12, 91}},
  };
  std::vector<FormDefinition> forms;
  for (const auto& c : cases) forms.push_back(storedForm(c.id));
  useForms(std::move(forms));
  for (const auto& c : cases) {
    TopWindow* window = open(c.id);
    ASSERT_NE(window, nullptr);
    QTRY_COMPARE(window->frameGeometry().size(), c.outer);
    EXPECT_EQ(window->frameGeometry().topLeft(), c.place) << std::hex << c.id;
    // The frame the platform draws comes off the client area, never on top of the size.
    const QMargins frame = window->windowHandle()->frameMargins();
    EXPECT_EQ(window->size(), c.outer.shrunkBy(frame)) << std::hex << c.id;
  }
}

TEST_F(TopWindowTest, DefaultsGiveAFixedFrameWithTitleBarCloseButtonAndNothingElse) {
  useForms({storedForm(Ids::MainWindow)});
  TopWindow* window = open(Ids::MainWindow);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->style().style, 0x02C80000u);
  EXPECT_EQ(window->style().exStyle, 0u);
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(flags.testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);  // its own taskbar entry, not a tool window
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(TopWindowTest, OtherStylesTurnIntoTheMatchingWindowFlags) {
  struct Case {
    const char* what;
    controls::WindowStyle style;
    bool onTop;
    Qt::WindowFlags want;
    Qt::WindowFlags notWanted;
  };
  const Qt::WindowFlags titleBar = Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  const Case cases[] = {
      {"no border at all", {0x02000000, 0}, false, Qt::FramelessWindowHint, titleBar},
      {"frame without title bar", {0x02400000, 0}, false, {}, titleBar | Qt::FramelessWindowHint},
      {"title without system menu", {0x02C00000, 0}, false, Qt::WindowTitleHint,
       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint},
      {"both boxes", {0x02CB0000, 0}, false, Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint, {}},
      {"tool window", {0x02C80000, 0x80}, false, Qt::Tool, {}},
      {"topmost", {0x02C80000, 0}, true, Qt::WindowStaysOnTopHint, {}},
  };
  for (const auto& c : cases) {
    const Qt::WindowFlags flags = controls::windowFlagsFor(c.style, c.onTop);
    EXPECT_EQ(flags & c.want, c.want) << c.what;
    EXPECT_EQ(flags & c.notWanted, Qt::WindowFlags{}) << c.what;
  }
}

TEST_F(TopWindowTest, AResizableBorderLeavesTheSizeFree) {
  WindowProperties props;
  props.border = 1;
  useForms({bareWindow(kHandMade, 300, 200, props)});
  TopWindow* window = open(kHandMade);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(window->minimumSize(), window->maximumSize());
  EXPECT_TRUE(window->style().style & controls::WindowStyleBit::thickFrame);
}

TEST_F(TopWindowTest, PositionAsStoredUsesLeftAndTopForTheOuterCorner) {
  WindowProperties props;
  props.position = 0;
  useForms({bareWindow(kHandMade, 300, 200, props)});
  TopWindow* window = open(kHandMade);
  ASSERT_NE(window, nullptr);
  QTRY_COMPARE(window->frameGeometry(), QRect(50, 50, 300, 200));
}

TEST_F(TopWindowTest, TheTitleShowsNoTextUnlessACaptionIsStored) {
  WindowProperties captioned;
  captioned.caption = platform::gbkFromUtf8("虚拟化");
  useForms({storedForm(Ids::MainWindow), bareWindow(kHandMade, 300, 200, captioned)});
  TopWindow* main = open(Ids::MainWindow);
  TopWindow* other = open(kHandMade);
  ASSERT_TRUE(main && other);
  EXPECT_EQ(visibleText(main->windowTitle()), "");
  // What the platform gets is not empty either, or it would show the program's name.
  EXPECT_FALSE(main->windowHandle()->title().isEmpty());
  EXPECT_EQ(other->windowTitle(), QString::fromUtf8("虚拟化"));
}

TEST_F(TopWindowTest, EveryWindowShowsTheProgramIconWithItsThreeSizes) {
  useForms({storedForm(Ids::MainWindow), storedForm(Ids::AsusGuide)});
  for (WindowId id : {Ids::MainWindow, Ids::AsusGuide}) {
    TopWindow* window = open(id);
    ASSERT_NE(window, nullptr);
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    for (int side : {16, 32, 48}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    EXPECT_EQ(window->windowIcon().cacheKey(), controls::programIcon().cacheKey());
  }
}

// The compiled-in icon file: three 16-colour images of 16, 32 and 48 pixels, each with
// opaque pixels and a transparent surround.
TEST(ProgramIconFile, HoldsThreeSixteenColourImagesOfTheRightSizes) {
  const auto bytes = content::DefaultIcon();
  ASSERT_GE(bytes.size(), 6u + 3 * 16);
  const auto u16 = [&](std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); };
  EXPECT_EQ(u16(2), 1);  // an icon, not a cursor
  ASSERT_EQ(u16(4), 3);
  const int sides[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    const std::size_t entry = 6 + 16 * std::size_t(i);
    EXPECT_EQ(bytes[entry], sides[i]) << i;
    EXPECT_EQ(bytes[entry + 1], sides[i]) << i;
    EXPECT_EQ(bytes[entry + 2], 16) << "colour count of image " << i;
    EXPECT_EQ(u16(entry + 6), 4) << "bits per pixel of image " << i;
  }
  QByteArray data(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  ASSERT_EQ(reader.imageCount(), 3);
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(reader.jumpToImage(i));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << i;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "corner of image " << i << " is see-through";
    const int mid = image.width() / 2;
    EXPECT_EQ(qAlpha(image.pixel(mid, mid)), 255) << "middle of image " << i << " is opaque";
  }
}

TEST(ProgramIconFile, BytesThatAreNoIconGiveNoIcon) {
  const std::uint8_t junk[] = {0, 0, 1, 0, 1, 0, 0xFF, 0xFF};
  EXPECT_TRUE(controls::iconFromIcoFile(junk).isNull());
  EXPECT_TRUE(controls::iconFromIcoFile({}).isNull());
}

// The background is the stored colour, or the button face as the palette has it at the
// moment of painting.
TEST_F(TopWindowTest, TheClientAreaIsFilledWithItsBackgroundColour) {
  WindowProperties blue;
  blue.backColour = 0x00FF0000;  // stored as 0x00BBGGRR
  useForms({bareWindow(kHandMade, 300, 200), bareWindow(kHandMade2, 300, 200, blue)});
  TopWindow* face = open(kHandMade);
  TopWindow* other = open(kHandMade2);
  ASSERT_TRUE(face && other);

  const QPalette saved = QApplication::palette();
  for (const QColor& faceColour : {QColor(0x12, 0x34, 0x56), QColor(0xE0, 0xD0, 0xC0)}) {
    QPalette palette = saved;
    palette.setColor(QPalette::Button, faceColour);
    QApplication::setPalette(palette);
    const QImage image = face->grab().toImage();
    for (QPoint at : {QPoint(0, 0), QPoint(image.width() / 2, image.height() / 2),
                      QPoint(image.width() - 1, image.height() - 1)})
      EXPECT_EQ(QColor(image.pixel(at)), faceColour) << at.x() << "," << at.y();
  }
  QApplication::setPalette(saved);
  EXPECT_EQ(QColor(other->grab().toImage().pixel(10, 10)), QColor(0, 0, 255));
}

TEST_F(TopWindowTest, MainWindowBackgroundIsTheButtonFaceBetweenItsControls) {
  useForms({storedForm(Ids::MainWindow)});
  TopWindow* window = open(Ids::MainWindow);
  ASSERT_NE(window, nullptr);
  const QImage image = window->grab().toImage();
  // The bottom-right corner lies outside every control of this window.
  EXPECT_EQ(QColor(image.pixel(image.width() - 2, image.height() - 2)),
            QApplication::palette().color(QPalette::Active, QPalette::Button));
}

TEST_F(TopWindowTest, AClosingWindowAsksThenIsDestroyedThenUnloaded) {
  FormDefinition form = storedForm(Ids::MainWindow);
  recordEvents(form, {controls::WindowEvent::closeRequest, controls::WindowEvent::destroying});
  useForms({form});
  TopWindow* window = open(Ids::MainWindow);
  ASSERT_NE(window, nullptr);
  takeLog();
  window->close();  // as the close button, Alt+F4 and the window menu do
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"A0:1", "A0:2", "gone"}));
  EXPECT_EQ(loader_->openWindow(Ids::MainWindow), nullptr);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(TopWindowTest, AHandlerThatRefusesTheCloseKeepsTheWindow) {
  FormDefinition form = storedForm(Ids::BiosIntro);
  recordEvents(form, {controls::WindowEvent::closeRequest, controls::WindowEvent::destroying});
  useForms({form});
  TopWindow* window = open(Ids::BiosIntro);
  ASSERT_NE(window, nullptr);
  takeLog();
  answers_["A0:1"] = 0;
  window->close();
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"A0:1"}));
  EXPECT_EQ(loader_->openWindow(Ids::BiosIntro), window);
  EXPECT_TRUE(window->isVisible());
  // Any other answer lets it go.
  answers_["A0:1"] = 1;
  EXPECT_TRUE(window->requestClose());
  EXPECT_EQ(takeLog(), (std::vector<std::string>{"A0:1", "A0:2", "gone"}));
}

TEST_F(TopWindowTest, ReportsShownActivatedFocusAndTheirEndsOncePerChange) {
  using namespace controls::WindowEvent;
  const auto indexes = {created,      moved, resized, activated, deactivated, firstActivated, shown, hidden,
                        controls::CommonEvent::focusGained, controls::CommonEvent::focusLost};
  FormDefinition a = bareWindow(kHandMade, 300, 200);
  FormDefinition b = bareWindow(kHandMade2, 320, 220);
  recordEvents(a, indexes, 'A');
  recordEvents(b, indexes, 'B');
  useForms({a, b});

  TopWindow* first = open(kHandMade);
  ASSERT_NE(first, nullptr);
  // The loader's created, moved and resized, then showing and the first activation; the
  // window keeps the focus itself, having no control to give it to.
  EXPECT_EQ(logOf('A'), (std::vector<std::string>{"A0:0", "A0:3", "A0:4", "A0:10", "A0:5", "A0:8", "A0:-7"}));
  takeLog();

  ASSERT_NE(open(kHandMade2), nullptr);
  EXPECT_EQ(logOf('A'), (std::vector<std::string>{"A0:-8", "A0:6"}));
  takeLog();

  loader_->LoadWindow(kHandMade);  // brings it forward
  ASSERT_TRUE(QTest::qWaitForWindowActive(first));
  EXPECT_EQ(logOf('A'), (std::vector<std::string>{"A0:5", "A0:-7"}));  // not a first activation
  takeLog();

  first->move(first->pos() + QPoint(5, 7));
  EXPECT_EQ(logOf('A'), (std::vector<std::string>{"A0:3"}));
  takeLog();
  first->hide();
  first->show();
  const auto hideShow = logOf('A');
  const auto hidden = std::find(hideShow.begin(), hideShow.end(), "A0:11");
  EXPECT_NE(hidden, hideShow.end());
  EXPECT_NE(std::find(hidden, hideShow.end(), "A0:10"), hideShow.end());
}

TEST_F(TopWindowTest, WindowsWithUnreadableSettingsAreNotMade) {
  controls::WindowCreateArgs args;
  args.width = 100;
  args.height = 100;
  const std::uint8_t newer[] = {7, 0, 0, 0};
  args.ownData = newer;
  EXPECT_EQ(TopWindow::create(args), nullptr);
  const std::uint8_t cut[] = {1, 0, 0, 0, 2, 0};
  args.ownData = cut;
  EXPECT_EQ(TopWindow::create(args), nullptr);
}

}  // namespace
}  // namespace vtg::testing

namespace vtg::testing {
namespace {

// A 24-bit bitmap file of 2 x 2 pixels: red, green on the top row; blue, white below.
Bytes tinyBitmap() {
  PropertyWriter w;  // the same little-endian numbers a bitmap file uses
  const std::uint8_t magic[] = {'B', 'M'};
  Bytes out(magic, magic + 2);
  w.u32(14 + 40 + 16).u32(0).u32(14 + 40);
  w.u32(40).i32(2).i32(2).u32(1 | (24 << 16)).u32(0).u32(16).i32(2835).i32(2835).u32(0).u32(0);
  // Rows bottom first, each padded to four bytes; pixels as blue, green, red.
  const std::uint8_t rows[] = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
  out.insert(out.end(), w.bytes().begin(), w.bytes().end());
  out.insert(out.end(), rows, rows + sizeof rows);
  return out;
}

TEST_F(TopWindowTest, ABackgroundPictureIsDrawnByItsMode) {
  const QColor red(255, 0, 0), green(0, 255, 0), blue(0, 0, 255), white(255, 255, 255);
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  struct Case {
    std::uint32_t mode;
    std::vector<std::pair<QPoint, QColor>> pixels;  // in a client area of about 196 x 146
  };
  const Case cases[] = {
      {0, {{{0, 0}, red}, {{1, 1}, white}, {{2, 0}, face}, {{50, 50}, face}}},
      {1, {{{0, 0}, red}, {{2, 0}, red}, {{3, 3}, white}, {{51, 50}, green}}},
      // stretched smoothly: each corner quarter keeps its colour
      {3, {{{5, 5}, red}, {{185, 5}, green}, {{5, 120}, blue}, {{185, 120}, white}}},
  };
  for (const auto& c : cases) {
    WindowProperties props;
    props.backPicture = tinyBitmap();
    props.pictureMode = c.mode;
    useForms({bareWindow(kHandMade, 200, 150, props)});
    TopWindow* window = open(kHandMade);
    ASSERT_NE(window, nullptr);
    const QImage image = window->grab().toImage();
    for (const auto& [at, colour] : c.pixels)
      EXPECT_EQ(QColor(image.pixel(at)), colour) << "mode " << c.mode << " at " << at.x() << "," << at.y();
  }
  // Centred and shrunk: a picture larger than the client area fits inside it, centred.
  WindowProperties centred;
  centred.backPicture = tinyBitmap();
  centred.pictureMode = 2;
  useForms({bareWindow(kHandMade, 200, 150, centred)});
  TopWindow* window = open(kHandMade);
  ASSERT_NE(window, nullptr);
  const QImage image = window->grab().toImage();
  const QPoint middle(image.width() / 2, image.height() / 2);
  EXPECT_EQ(QColor(image.pixel(middle - QPoint(1, 1))), red);
  EXPECT_EQ(QColor(image.pixel(middle)), white);
  EXPECT_EQ(QColor(image.pixel(0, 0)), face);
}

TEST_F(TopWindowTest, AnUnreadableBackgroundPictureLeavesThePlainColour) {
  WindowProperties props;
  props.backPicture = {'B', 'M', 1, 2, 3};
  props.backColour = 0x0000FF00;
  useForms({bareWindow(kHandMade, 200, 150, props)});
  TopWindow* window = open(kHandMade);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(QColor(window->grab().toImage().pixel(0, 0)), QColor(0, 255, 0));
}

TEST(WindowShape, OutlinesCoverTheirMiddleAndLeaveTheCornersOut) {
  const QSize size(200, 100);
  struct Case {
    std::uint32_t shape;
    bool middle;
  };
  for (const Case c : {Case{1, true}, Case{2, true}, Case{3, false}}) {
    const QRegion r = controls::shapeRegion(c.shape, size);
    EXPECT_FALSE(r.contains(QPoint(0, 0))) << c.shape;
    EXPECT_FALSE(r.contains(QPoint(199, 99))) << c.shape;
    EXPECT_EQ(r.contains(QPoint(100, 50)), c.middle) << c.shape;
    EXPECT_TRUE(r.contains(QPoint(100, 2))) << c.shape;  // the top edge's middle
  }
  EXPECT_TRUE(controls::shapeRegion(0, size).isEmpty());
  EXPECT_TRUE(controls::shapeRegion(17, size).isEmpty());
}

}  // namespace
}  // namespace vtg::testing

namespace vtg::testing {
namespace {

TEST_F(TopWindowTest, ASunkenBorderDrawsAnEdgeRoundTheClientArea) {
  WindowProperties sunken;
  sunken.border = 6;
  useForms({bareWindow(kHandMade, 200, 150, sunken)});
  TopWindow* window = open(kHandMade);
  ASSERT_NE(window, nullptr);
  const QImage image = window->grab().toImage();
  const QColor face = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_NE(QColor(image.pixel(0, 0)), face);
  EXPECT_NE(QColor(image.pixel(image.width() - 1, image.height() - 1)), face);
  EXPECT_EQ(QColor(image.pixel(image.width() / 2, image.height() / 2)), face);
}

}  // namespace
}  // namespace vtg::testing
