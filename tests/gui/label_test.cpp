// Labels rendered in process: where their text, colours, edges and pictures land, the
// fonts they are drawn in, and the real labels of the main window and the BIOS window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QSet>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "content/Forms.h"
#include "controls/Label.h"
#include "controls/TopWindow.h"
#include "forms/PropertyStream.h"
#include "platform/Colours.h"
#include "platform/Fonts.h"
#include "platform/Gbk.h"

namespace vtg::controls {
namespace {

using platform::gbkFromUtf8;

constexpr std::uint32_t kFace = 0xFF000000;
constexpr std::uint32_t kRed = 0x000000FF;
constexpr std::uint32_t kGreen = 0x0000FF00;
constexpr std::uint32_t kGrey = 0x00808080;
constexpr std::uint32_t kWhite = 0x00FFFFFF;

// Every setting of a label block, at the values the guide's labels use.
struct Block {
  std::uint32_t effect = 0;
  std::int32_t frameWidth = 8;
  std::uint32_t border = 0;
  std::uint32_t frameColours[3] = {kGrey, kWhite, kGrey};
  std::uint32_t textColour = 0;
  std::uint32_t backColour = kFace;
  std::uint32_t pictureMode = 1;
  std::uint32_t gradientMode = 0;
  std::uint32_t hAlign = 0;
  std::uint32_t vAlign = 1;
  std::uint32_t wordWrap = 0;
  Bytes font;
  Bytes picture;
  std::string textUtf8 = "标签";
};

Bytes encode(const Block& b) {
  PropertyWriter w;
  w.u32(2).u32(b.effect).i32(b.frameWidth).u32(b.border);
  for (auto c : b.frameColours) w.u32(c);
  w.u32(b.textColour).u32(b.backColour).u32(b.pictureMode).u32(b.gradientMode);
  w.u32(kGrey).u32(kWhite).u32(kGrey);
  w.u32(b.hAlign).u32(b.vAlign).u32(b.wordWrap).blob(b.font).blob(b.picture);
  w.text(gbkFromUtf8(b.textUtf8)).text({}).text({});
  return std::move(w).bytes();
}

// A 60-byte font description.
Bytes fontSpec(std::int32_t height, std::int32_t weight = 400, std::string faceUtf8 = {},
               bool italic = false, bool underline = false, bool strikeOut = false) {
  PropertyWriter w;
  w.i32(height).i32(0).i32(0).i32(0).i32(weight);
  Bytes b = std::move(w).bytes();
  for (std::uint8_t flag : {std::uint8_t(italic), std::uint8_t(underline), std::uint8_t(strikeOut),
                            std::uint8_t(134), std::uint8_t(0), std::uint8_t(0), std::uint8_t(0),
                            std::uint8_t(0)})
    b.push_back(flag);
  std::string face = gbkFromUtf8(faceUtf8);
  face.resize(32, '\0');
  b.insert(b.end(), face.begin(), face.end());
  return b;
}

// An uncompressed bottom-up 24-bit BMP file of one colour, its top-left pixel in
// `corner` when that is given.
Bytes solidBmp(int width, int height, QRgb colour, std::optional<QRgb> corner = std::nullopt) {
  const int stride = (width * 3 + 3) & ~3;
  Bytes b = {'B', 'M'};
  const auto put = [&b](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
  };
  put(54 + std::uint32_t(stride * height), 4);  // file size
  put(0, 4);                                    // reserved
  put(54, 4);                                   // where the pixels start
  put(40, 4);                                   // info header size
  put(std::uint32_t(width), 4);
  put(std::uint32_t(height), 4);
  put(1, 2);                                    // planes
  put(24, 2);                                   // bits per pixel
  for (int i = 0; i < 6; ++i) put(0, 4);        // no compression, sizes, palette
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const QRgb c = (corner && x == 0 && y == height - 1) ? *corner : colour;  // rows bottom-up
      b.push_back(std::uint8_t(qBlue(c)));
      b.push_back(std::uint8_t(qGreen(c)));
      b.push_back(std::uint8_t(qRed(c)));
    }
    b.resize(b.size() + std::size_t(stride - width * 3), 0);
  }
  return b;
}

using Mask = std::vector<QPoint>;

Mask pixelsWhere(const QImage& image, const std::function<bool(QRgb)>& test) {
  Mask m;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (test(image.pixel(x, y))) m.push_back({x, y});
  return m;
}

QRect boundsOf(const Mask& m) {
  QRect r;
  for (const QPoint& p : m) r |= QRect(p, QSize(1, 1));
  return r;
}

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool isWhite(QRgb c) { return qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235; }
bool isDark(QRgb c) { return qGray(c) < 60; }

// The offset within +-`reach` pixels that lays most of `moved` onto `base`, and how much
// of `moved` it covers then.
std::pair<QPoint, double> bestShift(const Mask& base, const Mask& moved, int reach = 3) {
  QSet<std::pair<int, int>> set;
  for (const QPoint& p : base) set.insert({p.x(), p.y()});
  QPoint best;
  int bestHits = -1;
  for (int dy = -reach; dy <= reach; ++dy)
    for (int dx = -reach; dx <= reach; ++dx) {
      int hits = 0;
      for (const QPoint& p : moved) hits += set.contains({p.x() - dx, p.y() - dy});
      if (hits > bestHits) {
        bestHits = hits;
        best = {dx, dy};
      }
    }
  return {best, moved.empty() ? 0.0 : double(bestHits) / double(moved.size())};
}

class LabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowCreateArgs args;
    args.width = 700;
    args.height = 500;
    args.windowId = 0x52010001;
    args.unitId = 0x06010000;
    window_ = TopWindow::create(args);
    ASSERT_NE(window_, nullptr);
    window_->show();
  }
  void TearDown() override {
    delete window_;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  Label* make(const Bytes& block, QSize size) {
    ControlCreateArgs args;
    args.ownData = block;
    args.window = window_;
    args.left = 10;
    args.top = 10;
    args.width = size.width();
    args.height = size.height();
    args.windowId = 0x52010001;
    args.unitId = 0x16010100 + ++made_;
    Label* label = Label::create(args);
    if (label) label->setVisible(true);
    return label;
  }
  QImage render(const Block& b, QSize size = {160, 40}) {
    Label* label = make(encode(b), size);
    EXPECT_NE(label, nullptr);
    if (!label) return {};
    QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
    delete label;
    return image;
  }

  TopWindow* window_ = nullptr;
  int made_ = 0;
};

// ---- Creating ------------------------------------------------------------------------------

TEST_F(LabelTest, UnreadableBlocksMakeNoLabel) {
  Bytes v3 = encode({});
  v3[0] = 3;
  Bytes cut = encode({});
  cut.pop_back();
  EXPECT_EQ(make(v3, {50, 20}), nullptr);
  EXPECT_EQ(make(cut, {50, 20}), nullptr);
  EXPECT_TRUE(window_->findChildren<Label*>().empty());
}

TEST_F(LabelTest, MadeHiddenAtItsRectangleAndNeverFocused) {
  ControlCreateArgs args;
  args.window = window_;
  args.left = 20;
  args.top = 30;
  args.width = 90;
  args.height = 25;
  Label* label = Label::create(args);
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(label->isVisible());
  EXPECT_EQ(label->geometry(), QRect(20, 30, 90, 25));
  EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
  EXPECT_FALSE(label->canTakeFocus());
  EXPECT_TRUE(label->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_EQ(std::string(label->mnemonicText()), gbkFromUtf8("标签"));
}

// ---- Rendering -----------------------------------------------------------------------------

TEST_F(LabelTest, EmptyBlockReadsBiaoqianInBlackOnTheButtonFaceLeftAndCentred) {
  Label* label = make({}, {120, 40});
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->textFont(), platform::defaultGuiFont());
  const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb face = platform::buttonFaceColour().rgb();
  EXPECT_EQ(image.pixel(0, 0), face);
  EXPECT_EQ(image.pixel(119, 39), face);

  const QRect ink = boundsOf(pixelsWhere(image, isDark));
  ASSERT_FALSE(ink.isEmpty()) << "no text drawn";
  const QFontMetrics metrics(platform::defaultGuiFont());
  EXPECT_LE(ink.left(), 1);  // left-aligned
  EXPECT_NEAR(ink.width(), metrics.horizontalAdvance(QString::fromUtf8("标签")), 2);
  EXPECT_LE(ink.height(), metrics.height());  // one line
  const int lineTop = (40 - metrics.height()) / 2;
  EXPECT_GE(ink.top(), lineTop);
  EXPECT_LT(ink.bottom(), lineTop + metrics.height());
  EXPECT_NEAR((ink.top() + ink.bottom()) / 2.0, 19.5, 3.0);  // vertically centred
  EXPECT_FALSE(pixelsWhere(image, [](QRgb c) { return qGray(c) < 20; }).empty()) << "not black";
}

TEST_F(LabelTest, ButtonFaceIsLookedUpAtEachPaint) {
  Block b;
  b.textUtf8 = "";
  Label* label = make(encode(b), {40, 20});
  ASSERT_NE(label, nullptr);
  const QPalette saved = QApplication::palette();
  QPalette changed = saved;
  changed.setColor(QPalette::Button, QColor(12, 34, 56));
  QApplication::setPalette(changed);
  const QRgb after = label->grab().toImage().pixel(5, 5);
  QApplication::setPalette(saved);
  EXPECT_EQ(after, qRgb(12, 34, 56));
  EXPECT_EQ(label->grab().toImage().pixel(5, 5), saved.color(QPalette::Button).rgb());
}

TEST_F(LabelTest, EffectsOffsetTheCopies) {
  Block b;
  b.textUtf8 = "标签 AB";
  b.textColour = kRed;
  b.backColour = kGrey;
  b.font = fontSpec(-24);
  const QSize size{160, 40};
  const Mask plain = pixelsWhere(render(b, size), isRed);
  ASSERT_GT(plain.size(), 50u);

  b.effect = 2;  // raised: white in place, the coloured text 1 right and 1 down
  const QImage raised = render(b, size);
  auto [redShift, redCover] = bestShift(plain, pixelsWhere(raised, isRed));
  auto [whiteShift, whiteCover] = bestShift(plain, pixelsWhere(raised, isWhite));
  EXPECT_EQ(redShift, QPoint(1, 1));
  EXPECT_EQ(whiteShift, QPoint(0, 0));
  EXPECT_GT(redCover, 0.9);
  EXPECT_GT(whiteCover, 0.8);

  b.effect = 1;  // sunken: the coloured text in place, white 1 right and 1 down
  const QImage sunken = render(b, size);
  std::tie(redShift, redCover) = bestShift(plain, pixelsWhere(sunken, isRed));
  std::tie(whiteShift, whiteCover) = bestShift(plain, pixelsWhere(sunken, isWhite));
  EXPECT_EQ(redShift, QPoint(0, 0));
  EXPECT_EQ(whiteShift, QPoint(1, 1));
  EXPECT_GT(redCover, 0.9);

  b.effect = 3;  // shadow: black 2 right and 2 down
  const QImage shadow = render(b, size);
  const auto [blackShift, blackCover] = bestShift(plain, pixelsWhere(shadow, isDark));
  EXPECT_EQ(blackShift, QPoint(2, 2));
  EXPECT_GT(blackCover, 0.8);

  b.effect = 9;  // unknown: as none
  const QImage unknown = render(b, size);
  b.effect = 0;
  EXPECT_EQ(unknown, render(b, size));
}

struct NoFrameCase {
  const char* name;
  std::int32_t frameWidth;
  std::uint32_t colours[3];
};

class LabelGradientFrame : public LabelTest, public ::testing::WithParamInterface<NoFrameCase> {};

TEST_P(LabelGradientFrame, UndrawnFrameLeavesTheWholeClientArea) {
  Block b;
  b.textUtf8 = "标签 text";
  b.vAlign = 0;
  b.backColour = kWhite;
  Block framed = b;
  framed.border = 6;
  framed.frameWidth = GetParam().frameWidth;
  std::copy(std::begin(GetParam().colours), std::end(GetParam().colours), framed.frameColours);
  EXPECT_EQ(render(framed), render(b));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LabelGradientFrame,
    ::testing::Values(NoFrameCase{"width_0", 0, {kGrey, kWhite, kGrey}},
                      NoFrameCase{"width_negative", -4, {kGrey, kWhite, kGrey}},
                      NoFrameCase{"one_usable_colour", 8, {kFace, kRed, kFace}},
                      NoFrameCase{"no_usable_colour", 8, {kFace, kFace, kFace}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, DrawnGradientFrameMovesTheTextInside) {
  Block b;
  b.textUtf8 = "标签";
  b.vAlign = 0;
  b.backColour = kWhite;
  Block framed = b;
  framed.border = 6;
  framed.frameWidth = 6;
  framed.frameColours[0] = kRed;
  framed.frameColours[1] = kFace;  // left out: red to green
  framed.frameColours[2] = kGreen;
  const QImage plain = render(b);
  const QImage image = render(framed);
  EXPECT_TRUE(isRed(image.pixel(80, 0))) << "top band starts with the first colour";
  EXPECT_TRUE(qGreen(image.pixel(80, 39)) > 200 && qRed(image.pixel(80, 39)) < 60)
      << "bottom band ends with the last colour";
  EXPECT_EQ(image.pixel(80, 20), qRgb(255, 255, 255)) << "inside the frame: the fill";
  const auto isInk = [](QRgb c) { return qGray(c) < 60 && qRed(c) < 100; };
  const auto [shift, cover] = bestShift(pixelsWhere(plain, isInk), pixelsWhere(image, isInk), 8);
  EXPECT_EQ(shift, QPoint(6, 6)) << "text moved by the frame width";
  EXPECT_GT(cover, 0.5);
}

struct EdgeCase {
  std::uint32_t border;
  int thickness;
};

class LabelEdges : public LabelTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(LabelEdges, ClassicEdgeTakesItsThicknessFromTheRectangle) {
  Block b;
  b.border = GetParam().border;
  b.backColour = kGreen;
  b.textUtf8 = "";
  Label* label = make(encode(b), {60, 30});
  ASSERT_NE(label, nullptr);
  const int t = GetParam().thickness;
  EXPECT_EQ(label->clientArea(), QRect(t, t, 60 - 2 * t, 30 - 2 * t));
  const QImage image = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(t, t), qRgb(0, 255, 0));
  EXPECT_EQ(image.pixel(59 - t, 29 - t), qRgb(0, 255, 0));
  if (t > 0) {
    EXPECT_NE(image.pixel(t - 1, 15), qRgb(0, 255, 0));
    EXPECT_NE(image.pixel(60 - t, 15), qRgb(0, 255, 0));
  }
}

TEST_F(LabelTest, LabelTooSmallForItsEdgeIsAllEdgeColour) {
  Block b;
  b.border = 4;  // 5 px each side
  b.backColour = kGreen;
  const QImage image = render(b, {8, 30});
  const QRgb face = platform::buttonFaceColour().rgb();
  EXPECT_EQ(static_cast<int>(pixelsWhere(image, [face](QRgb c) { return c == face; }).size()), 8 * 30);
}

INSTANTIATE_TEST_SUITE_P(Table, LabelEdges,
                         ::testing::Values(EdgeCase{0, 0}, EdgeCase{1, 2}, EdgeCase{2, 3}, EdgeCase{3, 1},
                                           EdgeCase{4, 5}, EdgeCase{5, 1}, EdgeCase{77, 0}));

TEST_F(LabelTest, BackgroundPictureModes) {
  Block b;
  b.textUtf8 = "";
  b.backColour = kRed;
  b.picture = solidBmp(20, 10, qRgb(0, 255, 0));
  const QRgb green = qRgb(0, 255, 0);
  const QRgb red = qRgb(255, 0, 0);
  const auto count = [](const QImage& image, QRgb colour) {
    return pixelsWhere(image, [colour](QRgb c) { return c == colour; }).size();
  };

  b.pictureMode = 0;  // natural size at the top-left, the colour around it
  QImage image = render(b, {100, 50});
  EXPECT_EQ(image.pixel(0, 0), green);
  EXPECT_EQ(image.pixel(19, 9), green);
  EXPECT_EQ(image.pixel(20, 9), red);
  EXPECT_EQ(image.pixel(5, 10), red);
  EXPECT_EQ(count(image, green), 200u);

  b.pictureMode = 1;  // tiled: the colour never shows
  image = render(b, {100, 50});
  EXPECT_EQ(count(image, green), 5000u);

  // Tiles start at the client area's top-left corner, inside an edge, and a size that
  // does not divide the area still covers it.
  const QRgb blue = qRgb(0, 0, 255);
  b.border = 1;
  b.picture = solidBmp(7, 5, qRgb(0, 255, 0), blue);
  image = render(b, {100, 50});
  EXPECT_EQ(image.pixel(2, 2), blue);
  EXPECT_EQ(image.pixel(9, 2), blue);
  EXPECT_EQ(image.pixel(2, 7), blue);
  EXPECT_EQ(image.pixel(3, 2), green);
  EXPECT_EQ(count(image, red), 0u);
  EXPECT_EQ(count(image, green) + count(image, blue), 96u * 46u);
  b.border = 0;
  b.picture = solidBmp(20, 10, qRgb(0, 255, 0));

  b.pictureMode = 2;  // centred at natural size when it fits
  image = render(b, {100, 50});
  EXPECT_EQ(image.pixel(40, 20), green);
  EXPECT_EQ(image.pixel(59, 29), green);
  EXPECT_EQ(image.pixel(39, 20), red);
  EXPECT_EQ(count(image, green), 200u);

  b.picture = solidBmp(300, 60, qRgb(0, 255, 0));  // shrunk by one factor: 100 x 20
  image = render(b, {100, 50});
  EXPECT_EQ(count(image, green), 2000u);
  EXPECT_EQ(image.pixel(50, 14), red);
  EXPECT_EQ(image.pixel(50, 15), green);
  EXPECT_EQ(image.pixel(50, 34), green);
  EXPECT_EQ(image.pixel(50, 35), red);

  b.pictureMode = 5;  // unknown placement: no picture, and no gradient either
  b.gradientMode = 1;
  image = render(b, {100, 50});
  EXPECT_EQ(count(image, red), 5000u);
}

TEST_F(LabelTest, UndecodablePictureIsDroppedForGood) {
  Block b;
  b.textUtf8 = "";
  b.backColour = kRed;
  b.picture = {'B', 'M', 1, 2, 3};
  b.gradientMode = 2;  // left to right, grey to white
  Label* label = make(encode(b), {60, 20});
  ASSERT_NE(label, nullptr);
  QImage first = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(first.pixel(30, 10), qRgb(255, 0, 0)) << "this paint: neither picture nor gradient";
  EXPECT_TRUE(label->properties().backPicture.empty());
  QImage second = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_GT(qGreen(second.pixel(30, 10)), 230) << "later paints: the gradient's white middle";
  EXPECT_LT(qGreen(second.pixel(0, 10)), 150) << "and its grey ends";
}

TEST_F(LabelTest, GradientDirections) {
  Block b;
  b.textUtf8 = "";
  b.backColour = kRed;
  // Grey, white, grey: each direction puts the white in the middle of its axis, grey at
  // both ends; the corners tell the diagonals apart.
  struct Probe {
    std::uint32_t mode;
    QPoint lightest;
  };
  for (const Probe& p : {Probe{1, {50, 20}}, Probe{2, {50, 5}}, Probe{5, {50, 20}}, Probe{6, {50, 5}}}) {
    b.gradientMode = p.mode;
    const QImage image = render(b, {100, 40});
    EXPECT_GT(qGray(image.pixel(p.lightest)), 230) << "mode " << p.mode;
    EXPECT_LT(qGray(image.pixel(0, 0)), 150) << "mode " << p.mode;
  }
  b.gradientMode = 3;  // from the top-left over twice the smaller side, then the last colour
  QImage image = render(b, {100, 40});
  EXPECT_LT(qGray(image.pixel(0, 0)), 140);
  EXPECT_GT(qGray(image.pixel(20, 20)), 230);
  EXPECT_LT(qGray(image.pixel(99, 39)), 140);
  b.gradientMode = 9;  // unknown direction: just the colour
  image = render(b, {100, 40});
  EXPECT_EQ(image.pixel(50, 20), qRgb(255, 0, 0));
}

TEST_F(LabelTest, WrappedTextLongerThanTheLabelIsCutWithTheLinesThatFitUnchanged) {
  Block b;
  b.wordWrap = 1;
  b.textUtf8 = "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十";
  const QImage tall = render(b, {100, 120});
  const QImage cut = render(b, {100, 33});
  EXPECT_EQ(cut, tall.copy(0, 0, 100, 33));
  EXPECT_FALSE(pixelsWhere(cut.copy(0, 28, 100, 5), isDark).empty()) << "the straddling line shows";
}

TEST_F(LabelTest, AmpersandUnderlinesAndDoubleAmpersandShowsOne) {
  Block b;
  b.vAlign = 0;
  b.font = fontSpec(-20);
  b.textUtf8 = "&AB";
  const QImage prefixed = render(b);
  b.textUtf8 = "AB";
  const QImage plain = render(b);
  b.textUtf8 = "&&";
  const QImage ampersand = render(b);
  const Mask prefixedInk = pixelsWhere(prefixed, isDark);
  const Mask plainInk = pixelsWhere(plain, isDark);
  EXPECT_GT(prefixedInk.size(), plainInk.size()) << "an underline";
  EXPECT_EQ(boundsOf(prefixedInk).left(), boundsOf(plainInk).left()) << "the & takes no room";
  EXPECT_GT(boundsOf(prefixedInk).bottom(), boundsOf(plainInk).bottom());
  const QFontMetrics metrics(*platform::fontFromSpec(fontSpec(-20)));
  EXPECT_LE(boundsOf(pixelsWhere(ampersand, isDark)).width(), metrics.horizontalAdvance('&') + 1)
      << "one & only";
}

TEST_F(LabelTest, RepaintsDoNotLayOutAgain) {
  Block b;
  b.wordWrap = 1;
  b.textUtf8 = "一二三四五六七八九十 abc def";
  Label* label = make(encode(b), {80, 60});
  ASSERT_NE(label, nullptr);
  label->grab();
  label->grab();
  label->repaint();
  EXPECT_EQ(label->layoutsMade(), 1);
  label->resize(60, 60);
  label->grab();
  label->grab();
  EXPECT_EQ(label->layoutsMade(), 2);
}

// ---- Fonts ---------------------------------------------------------------------------------

TEST(LabelFonts, DefaultGuiFontIsAChineseFaceAt11Pixels) {
  const QFont font = platform::defaultGuiFont();
  EXPECT_EQ(font.pixelSize(), 11);
  EXPECT_TRUE(platform::cjkFamilies().contains(QFontInfo(font).family())) << QFontInfo(font).family().toStdString();
  EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x6807)));  // 标
}

struct FontCase {
  const char* name;
  Bytes fontSpec;
  int pixelSize;  // 0: not checked
  int weight;
  bool italic;
  bool underline;
  bool strikeOut;
};

class LabelFontSpecs : public ::testing::TestWithParam<FontCase> {};

TEST_P(LabelFontSpecs, DescriptionBecomesAChineseFont) {
  const FontCase& c = GetParam();
  const std::optional<QFont> font = platform::fontFromSpec(c.fontSpec);
  ASSERT_TRUE(font);
  if (c.pixelSize) {
    EXPECT_EQ(font->pixelSize(), c.pixelSize);
  }
  EXPECT_EQ(int(font->weight()), c.weight);
  EXPECT_EQ(font->italic(), c.italic);
  EXPECT_EQ(font->underline(), c.underline);
  EXPECT_EQ(font->strikeOut(), c.strikeOut);
  EXPECT_TRUE(QFontMetrics(*font).inFont(QChar(0x6807)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LabelFontSpecs,
    ::testing::Values(FontCase{"character_height_16", fontSpec(-16), 16, 400, false, false, false},
                      FontCase{"default_height", fontSpec(0), 11, 400, false, false, false},
                      FontCase{"default_weight", fontSpec(-12, 0), 12, 400, false, false, false},
                      FontCase{"bold_italic", fontSpec(-14, 700, {}, true), 14, 700, true, false, false},
                      FontCase{"underline_strike", fontSpec(-14, 400, {}, false, true, true), 14, 400,
                               false, true, true},
                      FontCase{"height_at_the_extreme", fontSpec(INT32_MIN), 2048, 400, false, false, false},
                      FontCase{"weight_beyond_the_scale", fontSpec(-12, 5000), 12, 1000, false, false, false},
                      FontCase{"unknown_face", fontSpec(-12, 400, "没有这种字体"), 12, 400, false, false,
                               false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LabelFonts, CellHeightGivesAscentPlusDescent) {
  for (int cell : {12, 19, 30}) {
    const QFont font = *platform::fontFromSpec(fontSpec(cell));
    const QFontMetrics m(font);
    EXPECT_NEAR(m.ascent() + m.descent(), cell, 1) << "cell " << cell;
  }
}

TEST(LabelFonts, CharacterHeightLeavesOutTheInternalLeading) {
  // The em square is the character height: a full-width character's advance equals it.
  const QFont font = *platform::fontFromSpec(fontSpec(-16));
  const QFontMetrics m(font);
  EXPECT_EQ(m.horizontalAdvance(QChar(0x6807)), 16);
  EXPECT_GE(m.height(), 16);
}

TEST(LabelFonts, NamedFaceIsTriedFirst) {
  // A face that is not first in the CJK list: the monospaced sibling in the same font file
  // as the default face, or another CJK face.
  QString other;
  for (const char* face : {"WenQuanYi Micro Hei Mono", "Droid Sans Fallback"})
    if (other.isEmpty() && QFontDatabase::hasFamily(QString::fromLatin1(face))) other = QString::fromLatin1(face);
  if (other.isEmpty()) GTEST_SKIP() << "no second CJK face installed";
  const QFont font = *platform::fontFromSpec(fontSpec(-12, 400, other.toStdString()));
  EXPECT_EQ(QFontInfo(font).family(), other);
}

TEST(LabelFonts, BlobsOfOtherLengthsGiveNoFont) {
  EXPECT_FALSE(platform::fontFromSpec(Bytes(59, 0)));
  EXPECT_FALSE(platform::fontFromSpec(Bytes(61, 0)));
  EXPECT_FALSE(platform::fontFromSpec(Bytes{}));
}

// ---- The guide's own labels ----------------------------------------------------------------

class RealLabels : public vtg::testing::WindowFixture {
 protected:
  // The labels of an open window, in stacking order from the top.
  std::vector<Label*> labelsOf(WindowId id) {
    useForms(content::storedForms());
    TopWindow* window = open(id);
    EXPECT_NE(window, nullptr);
    if (!window) return {};
    const auto found = window->findChildren<Label*>(Qt::FindDirectChildrenOnly);
    return {found.begin(), found.end()};
  }
  static Label* withColour(const std::vector<Label*>& labels, std::uint32_t colour) {
    for (Label* l : labels)
      if (l->properties().textColour == colour) return l;
    return nullptr;
  }
};

TEST_F(RealLabels, MainWindowProcedureAndRemark) {
  const auto labels = labelsOf(content::WindowIds::MainWindow);
  Label* procedure = withColour(labels, 0x000000FF);
  Label* remark = withColour(labels, 0x00FF0000);
  ASSERT_TRUE(procedure && remark);

  const platform::TextLayout& lines = procedure->textLayout();
  ASSERT_EQ(lines.lines.size(), 15u);
  EXPECT_EQ(lines.lines.front().y, 0);
  for (const auto& line : lines.lines) EXPECT_LE(line.width, 416);
  const QImage image = procedure->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect ink = boundsOf(pixelsWhere(image, isRed));
  EXPECT_LT(ink.top(), lines.lineHeight) << "starts at the top edge";
  EXPECT_GE(ink.bottom(), 14 * lines.lineHeight) << "the fifteenth line shows";
  EXPECT_LE(15 * lines.lineHeight, 200) << "all fifteen lines lie whole inside the label";

  const platform::TextLayout& remarkLines = remark->textLayout();
  ASSERT_EQ(remarkLines.lines.size(), 1u);
  EXPECT_LE(remarkLines.lines[0].width, 304);
  const QImage blue = remark->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRect blueInk = boundsOf(
      pixelsWhere(blue, [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; }));
  EXPECT_NEAR((blueInk.top() + blueInk.bottom()) / 2.0, 19.5, 3.0);
}

TEST_F(RealLabels, BiosIntroFillsItsLabelInThe16PixelFontAndIsCutAtTheBottom) {
  const auto labels = labelsOf(content::WindowIds::BiosIntro);
  ASSERT_EQ(labels.size(), 1u);
  Label* text = labels.front();
  EXPECT_EQ(text->textFont().pixelSize(), 16);
  const platform::TextLayout& layout = text->textLayout();
  EXPECT_GE(layout.lines.size(), 25u);
  EXPECT_LE(layout.lines.size(), 30u);
  for (const auto& line : layout.lines) EXPECT_LE(line.width, 648);
  const QImage image = text->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_FALSE(pixelsWhere(image.copy(0, 464 - 12, 648, 12), isDark).empty())
      << "text reaches the bottom edge";
}

}  // namespace
}  // namespace vtg::controls
