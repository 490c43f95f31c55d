// The label's property reader and the layout flags its settings give.

#include "controls/Label.h"
#include "controls/LabelProperties.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "content/Forms.h"
#include "forms/Ids.h"
#include "platform/Gbk.h"
#include "platform/TextDraw.h"

namespace vtg::controls {
namespace {

using platform::gbkFromUtf8;

// Every field given a value of its own, so a field read into the wrong place shows.
struct Fields {
  std::uint32_t version = 2;
  Bytes font = Bytes(60, 0x11);
  Bytes picture = {0x42, 0x4D, 0x00};
  std::string text = "ab";
  std::string dataSource = "src";
  std::string dataColumn = "col";
};

Bytes blockOf(const Fields& f) {
  PropertyWriter w;
  w.u32(f.version)
      .u32(3)            // effect
      .i32(-5)           // frameWidth
      .u32(6)            // border
      .u32(0x00010203)   // frameColour1
      .u32(0x00040506)   // frameColour2
      .u32(0xFF000000)   // frameColour3
      .u32(0x000000FF)   // textColour
      .u32(0x00112233)   // backColour
      .u32(2)            // pictureMode
      .u32(7)            // gradientMode
      .u32(0x00070809)   // gradientColour1
      .u32(0x000A0B0C)   // gradientColour2
      .u32(0x000D0E0F)   // gradientColour3
      .u32(1)            // hAlign
      .u32(2)            // vAlign
      .u32(1)            // wordWrap
      .blob(f.font)
      .blob(f.picture)
      .text(f.text);
  if (f.version == 2) w.text(f.dataSource).text(f.dataColumn);
  return std::move(w).bytes();
}

TEST(LabelProperties, EmptyBlockGivesTheDefaults) {
  const std::optional<LabelProperties> p = readLabelProperties({});
  ASSERT_TRUE(p);
  EXPECT_EQ(p->text, gbkFromUtf8("标签"));
  EXPECT_EQ(p->text.size(), 4u);
  EXPECT_EQ(p->effect, 0u);
  EXPECT_EQ(p->frameWidth, 8);
  EXPECT_EQ(p->border, 0u);
  EXPECT_EQ(p->backColour, 0xFF000000u);
  EXPECT_EQ(p->textColour, 0x00000000u);
  EXPECT_EQ(p->pictureMode, 1u);
  EXPECT_EQ(p->vAlign, 1u);
  EXPECT_EQ(p->wordWrap, 0u);
  EXPECT_EQ(p->hAlign, 0u);
  EXPECT_EQ(p->frameColour2, 0x00FFFFFFu);
  EXPECT_EQ(p->gradientColour3, 0x00808080u);
  EXPECT_TRUE(p->font.empty());
  EXPECT_TRUE(p->backPicture.empty());
}

TEST(LabelProperties, FieldsLandInTheirPlacesInStoredOrder) {
  const std::optional<LabelProperties> p = readLabelProperties(blockOf({}));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->version, 2u);
  EXPECT_EQ(p->effect, 3u);
  EXPECT_EQ(p->frameWidth, -5);  // stored before border
  EXPECT_EQ(p->border, 6u);
  EXPECT_EQ(p->frameColour1, 0x00010203u);
  EXPECT_EQ(p->frameColour2, 0x00040506u);
  EXPECT_EQ(p->frameColour3, 0xFF000000u);
  EXPECT_EQ(p->textColour, 0x000000FFu);
  EXPECT_EQ(p->backColour, 0x00112233u);
  EXPECT_EQ(p->pictureMode, 2u);
  EXPECT_EQ(p->gradientMode, 7u);
  EXPECT_EQ(p->gradientColour1, 0x00070809u);
  EXPECT_EQ(p->gradientColour2, 0x000A0B0Cu);
  EXPECT_EQ(p->gradientColour3, 0x000D0E0Fu);
  EXPECT_EQ(p->hAlign, 1u);
  EXPECT_EQ(p->vAlign, 2u);  // stored before wordWrap
  EXPECT_EQ(p->wordWrap, 1u);
  EXPECT_EQ(p->font, Bytes(60, 0x11));
  EXPECT_EQ(p->backPicture, (Bytes{0x42, 0x4D, 0x00}));
  EXPECT_EQ(p->text, "ab");
  EXPECT_EQ(p->dataSource, "src");
  EXPECT_EQ(p->dataColumn, "col");
}

TEST(LabelProperties, HandWrittenVersionZeroBlock) {
  // 17 numbers, three empty blobs with negative, zero and positive counts, and a text
  // with a NUL inside: the text ends at the NUL.
  Bytes block;
  const auto put = [&](std::uint32_t v) {
    for (int s = 0; s < 32; s += 8) block.push_back(std::uint8_t(v >> s));
  };
  put(0);  // version
  for (int i = 0; i < 16; ++i) put(i == 13 ? 2 : 0);  // hAlign 2, everything else 0
  put(0xFFFFFFFF);  // font: count -1, no bytes follow
  put(0);           // backPicture: empty
  put(4);
  for (char b : {'h', 'i', '\0', 'x'}) block.push_back(std::uint8_t(b));
  ASSERT_EQ(block.size(), 17 * 4 + 4 + 4 + 4 + 4u);
  const std::optional<LabelProperties> p = readLabelProperties(block);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->text, "hi");
  EXPECT_EQ(p->hAlign, 2u);
  EXPECT_EQ(p->frameWidth, 0);
  EXPECT_TRUE(p->font.empty());
}

struct VersionCase {
  const char* name;
  std::uint32_t version;
  bool readsData;  // whether the two data fields are read
  bool accepted;
};

class LabelVersions : public ::testing::TestWithParam<VersionCase> {};

TEST_P(LabelVersions, DataFieldsOnlyAtVersionTwoAndNothingAboveIt) {
  const VersionCase& c = GetParam();
  Fields f;
  f.version = c.version;
  Bytes block = blockOf(f);
  // Trailing bytes that look like the two data fields: only version 2 may read them.
  if (c.version != 2) {
    PropertyWriter extra;
    extra.text("src").text("col");
    block.insert(block.end(), extra.bytes().begin(), extra.bytes().end());
  }
  const std::optional<LabelProperties> p = readLabelProperties(block);
  ASSERT_EQ(p.has_value(), c.accepted);
  if (!p) return;
  EXPECT_EQ(p->text, "ab");
  EXPECT_EQ(p->dataSource, c.readsData ? "src" : "");
  EXPECT_EQ(p->dataColumn, c.readsData ? "col" : "");
}

INSTANTIATE_TEST_SUITE_P(Table, LabelVersions,
                         ::testing::Values(VersionCase{"v0", 0, false, true},
                                           VersionCase{"v1", 1, false, true},
                                           VersionCase{"v2", 2, true, true},
                                           VersionCase{"v3", 3, false, false},
                                           VersionCase{"v_all_ones", 0xFFFFFFFF, false, false},
                                           VersionCase{"v_sign_bit", 0x80000000, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TruncationCase {
  const char* name;
  std::size_t keep;  // bytes of the version-2 block kept
};

// The full block: 17 numbers (68 bytes), font 4+60, picture 4+3, text 4+2, data 4+3, 4+3.
constexpr std::size_t kFullSize = 68 + 64 + 7 + 6 + 7 + 7;

class LabelTruncated : public ::testing::TestWithParam<TruncationCase> {};

TEST_P(LabelTruncated, EndingInsideAFieldFails) {
  const Bytes block = blockOf({});
  ASSERT_EQ(block.size(), kFullSize);
  const Bytes cut(block.begin(), block.begin() + GetParam().keep);
  EXPECT_FALSE(readLabelProperties(cut).has_value());
}

INSTANTIATE_TEST_SUITE_P(Table, LabelTruncated,
                         ::testing::Values(TruncationCase{"inside_version", 3},
                                           TruncationCase{"after_version", 4},
                                           TruncationCase{"inside_border", 14},
                                           TruncationCase{"before_word_wrap", 64},
                                           TruncationCase{"inside_font_count", 70},
                                           TruncationCase{"inside_font_bytes", 100},
                                           TruncationCase{"before_picture", 132},
                                           TruncationCase{"inside_text", 144},
                                           TruncationCase{"before_data_source", 145},
                                           TruncationCase{"inside_data_column", kFullSize - 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LabelProperties, EveryShorterPrefixFailsAndTheWholeBlockReads) {
  const Bytes block = blockOf({});
  for (std::size_t n = 1; n < block.size(); ++n) {
    EXPECT_FALSE(readLabelProperties({block.data(), n}).has_value()) << n << " bytes";
  }
  EXPECT_TRUE(readLabelProperties(block).has_value());
}

TEST(LabelProperties, BlobCountLargerThanTheRestFailsWithoutAllocating) {
  Fields f;
  Bytes block = blockOf(f);
  // The font count (at byte 68) claims far more than the block holds.
  block[68] = 0xFF;
  block[69] = 0xFF;
  block[70] = 0xFF;
  block[71] = 0x7F;
  EXPECT_FALSE(readLabelProperties(block).has_value());
}

TEST(LabelProperties, TheStoredLabelsRead) {
  int labels = 0;
  for (const FormDefinition& form : content::storedForms()) {
    for (const UnitDefinition& unit : form.units) {
      if (unit.kind != KindCode::Label) continue;
      ++labels;
      const std::optional<LabelProperties> p = readLabelProperties(unit.ownData);
      ASSERT_TRUE(p) << "window " << std::hex << form.windowId;
      EXPECT_EQ(p->version, 2u);
      EXPECT_FALSE(p->text.empty());
      EXPECT_TRUE(p->font.empty() || p->font.size() == 60u);
    }
  }
  EXPECT_EQ(labels, 9);
}

struct FlagsCase {
  std::uint32_t hAlign;
  std::uint32_t vAlign;
  std::uint32_t wordWrap;
  std::uint32_t flags;
};

class LabelFlags : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(LabelFlags, SettingsGiveTheClassicFlags) {
  LabelProperties p;
  p.hAlign = GetParam().hAlign;
  p.vAlign = GetParam().vAlign;
  p.wordWrap = GetParam().wordWrap;
  EXPECT_EQ(labelTextFlags(p), GetParam().flags);
}

INSTANTIATE_TEST_SUITE_P(Table, LabelFlags,
                         ::testing::Values(FlagsCase{0, 0, 0, 0x120}, FlagsCase{1, 1, 0, 0x125},
                                           FlagsCase{2, 2, 0, 0x12A}, FlagsCase{7, 9, 0, 0x120},
                                           FlagsCase{0, 1, 1, 0x114}, FlagsCase{1, 2, 1, 0x115},
                                           FlagsCase{2, 0, 1, 0x116}, FlagsCase{0, 1, 2, 0x124}));

}  // namespace
}  // namespace vtg::controls
