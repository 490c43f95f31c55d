// The PicBox kind without a display: its property reader against byte fixtures and the
// placement of a picture in each display mode.

#include "controls/PicBox.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "forms/PropertyStream.h"

namespace vtg::controls {
namespace {

const Bytes kPicture = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F'};

// A block in stored order: version, border, backColour, displayMode, playAnimation,
// picture, then the two texts when `withTexts`.
Bytes block(std::uint32_t version, bool withTexts, std::int32_t pictureLength = 10) {
  PropertyWriter w;
  w.u32(version).i32(3).u32(0x000000FF).i32(2).u32(0);
  w.i32(pictureLength);
  Bytes b = std::move(w).bytes();
  if (pictureLength > 0) b.insert(b.end(), kPicture.begin(), kPicture.begin() + pictureLength);
  if (withTexts) {
    PropertyWriter t;
    t.text("DS").text(std::string("col\0umn", 7));
    b.insert(b.end(), t.bytes().begin(), t.bytes().end());
  }
  return b;
}

Bytes cut(Bytes b, std::size_t size) {
  b.resize(size);
  return b;
}

TEST(PicBoxProperties, ReadsEachVersionInStoredOrder) {
  const struct {
    const char* name;
    Bytes bytes;
    std::optional<PicBoxProperties> expected;
  } rows[] = {
      {"empty block: defaults", {}, PicBoxProperties{}},
      {"version 2 with both texts", block(2, true),
       PicBoxProperties{3, 0x000000FF, kPicture, 2, false, "DS", "col"}},
      {"version 1 ends after the picture", block(1, false),
       PicBoxProperties{3, 0x000000FF, kPicture, 2, false, "", ""}},
      {"version 0 ends after the picture", block(0, false),
       PicBoxProperties{3, 0x000000FF, kPicture, 2, false, "", ""}},
      {"version 1 ignores what follows", block(1, true),
       PicBoxProperties{3, 0x000000FF, kPicture, 2, false, "", ""}},
      {"negative picture length: no picture, no bytes", block(2, true, -4),
       PicBoxProperties{3, 0x000000FF, {}, 2, false, "DS", "col"}},
      {"version 3 rejected", block(3, true), std::nullopt},
      {"version 0xFFFFFFFF rejected", block(0xFFFFFFFF, true), std::nullopt},
      {"version 2 without its texts", block(2, false), std::nullopt},
      {"picture longer than the block", cut(block(2, false, 10), 24 + 5), std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<PicBoxProperties> read = readPicBoxProperties(row.bytes);
    ASSERT_EQ(read.has_value(), row.expected.has_value());
    if (!read) continue;
    EXPECT_EQ(read->border, row.expected->border);
    EXPECT_EQ(read->backColour, row.expected->backColour);
    EXPECT_EQ(read->picture, row.expected->picture);
    EXPECT_EQ(read->displayMode, row.expected->displayMode);
    EXPECT_EQ(read->playAnimation, row.expected->playAnimation);
    EXPECT_EQ(read->dataSource, row.expected->dataSource);
    EXPECT_EQ(read->dataColumn, row.expected->dataColumn);
  }
}

TEST(PicBoxProperties, DefaultsAreThoseOfTheKind) {
  const PicBoxProperties p;
  EXPECT_EQ(p.border, 0);
  EXPECT_EQ(p.backColour, 0xFF000000u);
  EXPECT_TRUE(p.picture.empty());
  EXPECT_EQ(p.displayMode, 0);
  EXPECT_TRUE(p.playAnimation);
}

TEST(PicBoxProperties, EveryBlockCutInsideAFieldIsRejected) {
  for (const Bytes& whole : {block(2, true), block(1, false), block(0, false)}) {
    ASSERT_TRUE(readPicBoxProperties(whole));
    for (std::size_t n = 1; n < whole.size(); ++n)
      EXPECT_FALSE(readPicBoxProperties(std::span(whole).first(n))) << "cut to " << n << " of " << whole.size();
  }
}

TEST(PictureTargetRect, PlacesTheWorkedExamples) {
  const struct {
    const char* name;
    std::int32_t mode;
    int clientW, clientH, picW, picH;
    PictureTarget expected;
  } rows[] = {
      {"topLeft, larger than the box: cut off", 0, 616, 344, 709, 366, {0, 0, 709, 366}},
      {"topLeft, 4-px strip at the right", 0, 584, 288, 580, 326, {0, 0, 580, 326}},
      {"centreFit, shrunk to fit", 2, 736, 632, 992, 709, {0, 53, 736, 526}},
      {"centreFit, fits: centred at natural size", 2, 301, 200, 100, 50, {100, 75, 100, 50}},
      {"centreFit, too tall only", 2, 200, 100, 100, 200, {75, 0, 50, 100}},
      {"centreFit, exactly the client area", 2, 80, 60, 80, 60, {0, 0, 80, 60}},
      {"stretch, distorted", 1, 424, 152, 580, 326, {0, 0, 424, 152}},
      {"stretch, enlarged", 1, 424, 152, 10, 10, {0, 0, 424, 152}},
      {"unknown mode places as topLeft", 7, 100, 100, 30, 20, {0, 0, 30, 20}},
      {"negative mode places as topLeft", -1, 100, 100, 30, 20, {0, 0, 30, 20}},
  };
  for (const auto& row : rows) {
    const PictureTarget t = pictureTargetRect(row.mode, row.clientW, row.clientH, row.picW, row.picH);
    EXPECT_EQ(t, row.expected) << row.name << ": got (" << t.x << "," << t.y << ") " << t.width << "x"
                               << t.height;
  }
}

}  // namespace
}  // namespace vtg::controls
