// The picture box rendered: background colours, where the picture lies in each display
// mode, frames, pictures that cannot be shown, animation, and the real box of MainWindow.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTest>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "content/Forms.h"
#include "controls/Frames.h"
#include "controls/PicBox.h"
#include "forms/PropertyStream.h"
#include "platform/Colours.h"

namespace vtg::controls {
namespace {

constexpr std::uint32_t kRed = 0x000000FF;  // 0x00BBGGRR
const QRgb kGreen = qRgb(0, 160, 0);

std::string rgbText(QRgb c) {
  char s[16];
  std::snprintf(s, sizeof s, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
  return s;
}

Bytes encoded(const QImage& image, const char* format) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format, 100));
  return Bytes(data.begin(), data.end());
}

// A 24-bit BMP of one colour: exact pixels whatever the placement.
Bytes solidBmp(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB888);
  image.fill(colour);
  return encoded(image, "BMP");
}

Bytes block(const Bytes& picture, std::uint32_t backColour = kRed, std::int32_t displayMode = 0,
            std::int32_t border = 0, std::uint32_t playAnimation = 1, std::uint32_t version = 2) {
  PropertyWriter w;
  w.u32(version).i32(border).u32(backColour).i32(displayMode).u32(playAnimation).blob(picture);
  if (version == 2) w.text({}).text({});
  return std::move(w).bytes();
}

std::unique_ptr<PicBox> makeBox(std::span<const std::uint8_t> ownData, int w, int h) {
  ControlCreateArgs args;
  args.ownData = ownData;
  args.width = w;
  args.height = h;
  return std::unique_ptr<PicBox>(PicBox::create(args));
}

QImage rendered(PicBox& box) { return box.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Every pixel of `image` inside `area`: inside `picture` (less `blur` at its edges, where a
// scaled picture meets the background) it is `inColour`; outside (plus `blur`) `outColour`.
void expectPlacement(const QImage& image, const QRect& area, const QRect& picture, QRgb inColour,
                     QRgb outColour, int blur) {
  int wrong = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QPoint p(x, y);
      std::optional<QRgb> expected;
      if (picture.adjusted(blur, blur, -blur, -blur).contains(p)) expected = inColour;
      else if (!picture.adjusted(-blur, -blur, blur, blur).contains(p)) expected = outColour;
      if (expected && image.pixel(p) != *expected && ++wrong <= 5)
        ADD_FAILURE() << "at " << x << "," << y << ": " << rgbText(image.pixel(p)) << ", expected "
                      << rgbText(*expected);
    }
}

TEST(PicBox, FillsItsClientAreaWithItsBackground) {
  const struct {
    std::uint32_t backColour;
    QRgb expected;
  } rows[] = {
      {kRed, qRgb(255, 0, 0)},
      {0x00FF0000, qRgb(0, 0, 255)},
      {0x00123456, qRgb(0x56, 0x34, 0x12)},
      {platform::kButtonFaceColourRef, platform::buttonFaceColour().rgb()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(rgbText(row.expected));
    const auto box = makeBox(block({}, row.backColour), 30, 20);
    ASSERT_TRUE(box);
    const QImage image = rendered(*box);
    expectPlacement(image, image.rect(), QRect(), 0, row.expected, 0);
  }
}

TEST(PicBox, PlacesThePictureByItsDisplayMode) {
  const struct {
    const char* name;
    std::int32_t mode;
    std::int32_t border;
    QSize box;
    QSize picture;
    QRect expected;  // in box coordinates
    int blur;
  } rows[] = {
      {"topLeft, larger than the box: cut off", 0, 0, {616, 344}, {709, 366}, {0, 0, 709, 366}, 0},
      {"topLeft, 4-px strip of background", 0, 0, {584, 288}, {580, 326}, {0, 0, 580, 326}, 0},
      {"topLeft, small", 0, 0, {60, 50}, {20, 10}, {0, 0, 20, 10}, 0},
      {"centreFit, shrunk to fit", 2, 0, {736, 632}, {992, 709}, {0, 53, 736, 526}, 1},
      {"centreFit, fits", 2, 0, {301, 200}, {100, 50}, {100, 75, 100, 50}, 0},
      {"stretch, distorted", 1, 0, {424, 152}, {580, 326}, {0, 0, 424, 152}, 0},
      {"topLeft inside a single line", 0, 5, {60, 50}, {100, 100}, {1, 1, 100, 100}, 0},
      {"centreFit inside a framed edge", 2, 4, {110, 60}, {20, 10}, {5 + 40, 5 + 20, 20, 10}, 0},
      {"stretch inside a sunken edge", 1, 1, {40, 30}, {7, 7}, {2, 2, 36, 26}, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto box = makeBox(block(solidBmp(row.picture.width(), row.picture.height(), kGreen), kRed, row.mode, row.border),
                             row.box.width(), row.box.height());
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->picture());
    // The decoded picture is all the box keeps; the file's bytes are let go.
    EXPECT_TRUE(box->properties().picture.empty());
    const QImage image = rendered(*box);
    const QRect client = clientRectFor(QRect(QPoint(0, 0), row.box), std::uint32_t(row.border));
    EXPECT_EQ(box->clientArea(), client);
    if (row.mode == 0) {
      // What lies beyond the client area can never show at this size, so it is not kept.
      EXPECT_EQ(box->picture()->width(), std::min(row.picture.width(), client.width()));
      EXPECT_EQ(box->picture()->height(), std::min(row.picture.height(), client.height()));
    }
    // What lies beyond the client area is cut off: only the frame is drawn there.
    expectPlacement(image, client, row.expected, kGreen, qRgb(255, 0, 0), row.blur);
  }
}

TEST(PicBox, FramesLieInsideTheBoxAroundTheClientArea) {
  for (std::int32_t border = 1; border <= 5; ++border) {
    SCOPED_TRACE(border);
    const auto box = makeBox(block({}, kRed, 0, border), 40, 30);
    ASSERT_TRUE(box);
    const QImage image = rendered(*box);
    const int t = frameThickness(std::uint32_t(border));
    EXPECT_EQ(box->clientArea(), QRect(t, t, 40 - 2 * t, 30 - 2 * t));
    for (const QPoint corner : {QPoint(0, 0), QPoint(39, 29), QPoint(t - 1, 15), QPoint(20, 29 - (t - 1))})
      EXPECT_NE(image.pixel(corner), qRgb(255, 0, 0)) << "frame at " << corner.x() << "," << corner.y();
    expectPlacement(image, box->clientArea(), QRect(), 0, qRgb(255, 0, 0), 0);
  }
}

TEST(PicBox, BoxTooSmallForItsFrameIsAllFrameColour) {
  const auto box = makeBox(block(solidBmp(8, 8, kGreen), kRed, 0, 4), 6, 20);
  ASSERT_TRUE(box);
  const QImage image = rendered(*box);
  expectPlacement(image, image.rect(), QRect(), 0, platform::buttonFaceColour().rgb(), 0);
}

TEST(PicBox, PicturesThatCannotBeShownLeaveOnlyTheBackground) {
  const struct {
    const char* name;
    Bytes picture;
  } rows[] = {
      {"no picture", {}},
      {"FF D8 and garbage", {0xFF, 0xD8, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}},
      {"fewer than six bytes", {0xFF, 0xD8, 0xFF, 0xE0, 0x00}},
      {"unknown signature", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}},
      {"BMP with a header that does not fit", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto box = makeBox(block(row.picture), 30, 20);
    ASSERT_TRUE(box);
    EXPECT_FALSE(box->picture());
    EXPECT_EQ(box->properties().picture, row.picture);  // held unchanged all the same
    const QImage image = rendered(*box);
    expectPlacement(image, image.rect(), QRect(), 0, qRgb(255, 0, 0), 0);
  }
}

TEST(PicBox, GreyscaleJpegIsShownGrey) {
  QImage grey(24, 16, QImage::Format_Grayscale8);
  grey.fill(128);
  const Bytes file = encoded(grey, "JPG");
  const auto box = makeBox(block(file), 40, 30);
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->picture());
  const QImage image = rendered(*box);
  const QRgb px = image.pixel(10, 8);
  EXPECT_TRUE(qRed(px) == qGreen(px) && qGreen(px) == qBlue(px)) << rgbText(px);
  EXPECT_NEAR(qRed(px), 128, 3);
  EXPECT_EQ(image.pixel(30, 20), qRgb(255, 0, 0));
}

TEST(PicBox, JpegCutShortIsShownWithoutComplaint) {
  // Blue on top, a busy pattern below, so that most of the data is the lower part.
  QImage picture(64, 64, QImage::Format_RGB32);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) picture.setPixel(x, y, y < 16 ? qRgb(0, 0, 255) : qRgb(x * 37 % 256, y * 91 % 256, (x * y) % 256));
  const Bytes file = encoded(picture, "JPG");
  std::size_t scan = 0;  // the first byte after the start-of-scan segment
  for (std::size_t i = 2; i + 3 < file.size() && !scan; ++i)
    if (file[i] == 0xFF && file[i + 1] == 0xDA) scan = i + 2 + (file[i + 2] << 8 | file[i + 3]);
  ASSERT_GT(scan, 0u);
  const Bytes cut(file.begin(), file.begin() + long(scan + (file.size() - scan) / 2));
  const auto box = makeBox(block(cut), 80, 80);
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->picture());
  EXPECT_EQ(box->picture()->height(), 64);
  const QImage image = rendered(*box);
  const QRgb top = image.pixel(5, 2);
  EXPECT_TRUE(qBlue(top) > 240 && qRed(top) < 16 && qGreen(top) < 16) << rgbText(top);
  EXPECT_EQ(image.pixel(70, 70), qRgb(255, 0, 0));
}

TEST(PicBox, CreateFailsWhenTheBlockCannotBeRead) {
  const Bytes good = block(solidBmp(4, 4, kGreen));
  const struct {
    const char* name;
    Bytes ownData;
    bool created;
  } rows[] = {
      {"version 2", good, true},
      {"version 1", block(solidBmp(4, 4, kGreen), kRed, 0, 0, 1, 1), true},
      {"empty block", {}, true},
      {"version 3", block(solidBmp(4, 4, kGreen), kRed, 0, 0, 1, 3), false},
      {"cut inside the picture", Bytes(good.begin(), good.begin() + 40), false},
      {"cut inside the version", Bytes(good.begin(), good.begin() + 3), false},
  };
  for (const auto& row : rows) EXPECT_EQ(makeBox(row.ownData, 20, 20) != nullptr, row.created) << row.name;
}

// Two frames of 2 x 2, red then blue, 100 ms each. Each pixel is a literal LZW code with
// a clear code before every two, so the code width stays 3 bits.
Bytes twoFrameGif() {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0xF1, 0, 0,
             255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0};
  for (const int index : {0, 1}) {
    b.insert(b.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2});
    std::uint32_t bits = 0;
    int at = 0;
    for (const int code : {4, index, index, 4, index, index, 5}) bits |= std::uint32_t(code) << at, at += 3;
    b.insert(b.end(), {3, std::uint8_t(bits), std::uint8_t(bits >> 8), std::uint8_t(bits >> 16), 0});
  }
  b.push_back(0x3B);
  return b;
}

TEST(PicBox, AnimationInABoxSmallerThanItKeepsItsWholeFrames) {
  // Every frame is drawn at the animation's own size; keeping only the visible part of the
  // first frame would squeeze the later ones into it.
  const auto box = makeBox(block(twoFrameGif(), kRed, 0, 0, 1), 1, 1);
  ASSERT_TRUE(box && box->picture());
  EXPECT_EQ(box->picture()->width(), 2);
  EXPECT_EQ(box->picture()->height(), 2);
}

TEST(PicBox, AnimatedGifPlaysOnlyWithTheAnimationSwitchOn) {
  for (const std::uint32_t play : {1u, 0u}) {
    SCOPED_TRACE(play);
    const auto box = makeBox(block(twoFrameGif(), kRed, 0, 0, play), 10, 10);
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->picture());
    EXPECT_EQ(box->picture()->format(), PictureFormat::Gif);
    EXPECT_EQ(rendered(*box).pixel(1, 1), qRgb(255, 0, 0));
    bool sawBlue = false;
    for (int i = 0; i < 20 && !sawBlue; ++i) {
      QTest::qWait(25);
      sawBlue = rendered(*box).pixel(1, 1) == qRgb(0, 0, 255);
    }
    EXPECT_EQ(sawBlue, play == 1);
  }
}

TEST(PicBox, MainWindowBoxShowsTheTopLeftOfItsPictureAtNaturalSize) {
  const FormDefinition form = testing::storedForm(content::WindowIds::MainWindow);
  const UnitDefinition* unit = nullptr;
  for (const UnitDefinition& u : form.units)
    if (u.kind == KindCode::PicBox) unit = &u;
  ASSERT_TRUE(unit);
  const auto box = makeBox(unit->ownData, unit->width, unit->height);
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->picture());
  const QImage image = rendered(*box);
  const QImage expected = box->picture()->toImage().copy(0, 0, unit->width, unit->height).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), expected.size());
  EXPECT_TRUE(image == expected) << "the box differs from the picture's top-left " << unit->width << "x" << unit->height;
}

}  // namespace
}  // namespace vtg::controls
