// The push button's property reader and the style its settings compose to.

#include "controls/ButtonProperties.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/Forms.h"
#include "forms/Ids.h"

namespace vtg::controls {
namespace {

std::string GbkFromUtf8(std::string_view utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string out(utf8.size() * 2 + 8, '\0');
  char* src = const_cast<char*>(utf8.data());
  std::size_t srcLeft = utf8.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  EXPECT_NE(iconv(cd, &src, &srcLeft, &dst, &dstLeft), static_cast<std::size_t>(-1)) << utf8;
  iconv_close(cd);
  out.resize(out.size() - dstLeft);
  return out;
}

// The stored block of the button "华硕主板", byte for byte.
const Bytes kAsusBlock = {
    0x01, 0x00, 0x00, 0x00,  // version 1
    0x00, 0x00, 0x00, 0x00,  // type 0
    0x01, 0x00, 0x00, 0x00,  // hAlign 1
    0x01, 0x00, 0x00, 0x00,  // vAlign 1
    0x00, 0x00, 0x00, 0x00,  // picture: none
    0x00, 0x00, 0x00, 0x00,  // font: none
    0x08, 0x00, 0x00, 0x00,  // caption: 8 bytes
    0xBB, 0xAA, 0xCB, 0xB6, 0xD6, 0xF7, 0xB0, 0xE5,
};
constexpr std::string_view kAsusCaption = "\xbb\xaa\xcb\xb6\xd6\xf7\xb0\xe5";

TEST(ButtonFixture, AsusBlockHoldsTheGbkCaptionAndIs36Bytes) {
  EXPECT_EQ(kAsusBlock.size(), 36u);
  EXPECT_EQ(std::string(kAsusCaption), GbkFromUtf8("华硕主板"));
  EXPECT_EQ(std::string(kDefaultButtonCaption), GbkFromUtf8("按钮"));
}

Bytes Block(std::uint32_t version, std::uint32_t type, std::uint32_t hAlign, std::uint32_t vAlign,
            std::vector<std::uint8_t> picture, std::vector<std::uint8_t> font,
            std::string_view caption) {
  PropertyWriter w;
  w.u32(version).u32(type).u32(hAlign).u32(vAlign).blob(picture).blob(font).text(caption);
  return std::move(w).bytes();
}

// Raw little-endian words, for blocks the writer would never make.
Bytes Words(std::initializer_list<std::uint32_t> words, std::initializer_list<std::uint8_t> tail = {}) {
  PropertyWriter w;
  for (auto v : words) w.u32(v);
  Bytes b = std::move(w).bytes();
  b.insert(b.end(), tail);
  return b;
}

TEST(ButtonProperties, ReadsTheStoredFieldsInTheirOwnOrder) {
  const Bytes font60(60, 0x11);
  struct Case {
    const char* name;
    Bytes block;
    std::optional<ButtonProperties> expected;
  };
  const ButtonProperties defaults;
  const auto props = [](std::uint32_t type, std::uint32_t h, std::uint32_t v, Bytes picture,
                        Bytes font, std::string caption) {
    ButtonProperties p;
    p.type = type;
    p.hAlign = h;
    p.vAlign = v;
    p.picture = std::move(picture);
    p.font = std::move(font);
    p.caption = std::move(caption);
    return p;
  };
  const Case cases[] = {
      {"the real block of 华硕主板", kAsusBlock, props(0, 1, 1, {}, {}, std::string(kAsusCaption))},
      {"empty block: defaults", {}, defaults},
      {"version 0 has the same fields", Block(0, 1, 0, 2, {}, {}, "OK"), props(1, 0, 2, {}, {}, "OK")},
      {"version 2 is unknown", Block(2, 0, 1, 1, {}, {}, "OK"), std::nullopt},
      {"version above 1 taken unsigned", Block(0xFFFFFFFF, 0, 1, 1, {}, {}, "OK"), std::nullopt},
      // type, hAlign and vAlign sit in stored order before the blobs; picture before font.
      {"every field distinct", Block(1, 7, 5, 9, {1, 2, 3}, font60, "A&B"),
       props(7, 5, 9, {1, 2, 3}, font60, "A&B")},
      {"negative blob counts mean empty, nothing follows",
       Words({1, 0, 1, 1, 0xFFFFFFFF, 0x80000000, 2}, {'O', 'K'}), props(0, 1, 1, {}, {}, "OK")},
      {"a stored empty caption stays empty", Words({1, 0, 1, 1, 0, 0, 0}), props(0, 1, 1, {}, {}, "")},
      {"a negative caption count is empty", Words({1, 0, 1, 1, 0, 0, 0xFFFFFFFF}),
       props(0, 1, 1, {}, {}, "")},
      {"caption cut at its first NUL", Words({1, 0, 1, 1, 0, 0, 5}, {'A', 'B', 0, 'C', 'D'}),
       props(0, 1, 1, {}, {}, "AB")},
      {"caption count beyond the block", Words({1, 0, 1, 1, 0, 0, 9}, {'A', 'B'}), std::nullopt},
      {"picture count beyond the block", Words({1, 0, 1, 1, 0x7FFFFFFF, 0, 0}), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<ButtonProperties> got = readButtonProperties(c.block);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (!got) continue;
    EXPECT_EQ(got->type, c.expected->type);
    EXPECT_EQ(got->hAlign, c.expected->hAlign);
    EXPECT_EQ(got->vAlign, c.expected->vAlign);
    EXPECT_EQ(got->picture, c.expected->picture);
    EXPECT_EQ(got->font, c.expected->font);
    EXPECT_EQ(got->caption, c.expected->caption);
  }
}

TEST(ButtonProperties, ABlockThatEndsInsideAnyFieldIsRejected) {
  // Every proper prefix of a block with all fields present ends inside some field.
  const Bytes full = Block(1, 0, 1, 1, {9, 9}, Bytes(60, 1), std::string(kAsusCaption));
  for (std::size_t n = 1; n < full.size(); ++n)
    EXPECT_FALSE(readButtonProperties(std::span(full).first(n))) << n << " of " << full.size();
  EXPECT_TRUE(readButtonProperties(full));
  for (std::size_t n = 1; n < kAsusBlock.size(); ++n)
    EXPECT_FALSE(readButtonProperties(std::span(kAsusBlock).first(n))) << n;
}

TEST(ButtonProperties, MainWindowStoresTheFiveButtonsAsTheFixtureDoes) {
  int buttons = 0;
  for (const FormDefinition& form : content::storedForms()) {
    for (const UnitDefinition& unit : form.units) {
      if (unit.kind != KindCode::Button) continue;
      ++buttons;
      const auto props = readButtonProperties(unit.ownData);
      ASSERT_TRUE(props) << unit.name;
      EXPECT_EQ(unit.ownData.size(), 28 + props->caption.size());
      if (props->caption == kAsusCaption) {
        EXPECT_EQ(unit.ownData, kAsusBlock);
      }
      EXPECT_EQ(composeButtonStyle(*props, stateBitsFromFlags(unit.flags), ButtonImage::none),
                0x44012F00u)
          << unit.name;
    }
  }
  EXPECT_EQ(buttons, 5);
}

TEST(ButtonStyle, ComposesFromStateTypeAlignmentAndPicture) {
  const std::uint32_t tab = StateBit::tabStop;
  struct Case {
    const char* name;
    std::uint32_t type, hAlign, vAlign;
    std::uint32_t stateBits;
    ButtonImage image;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"every button here", 0, 1, 1, tab, ButtonImage::none, 0x44012F00},
      {"no state bits", 0, 1, 1, 0, ButtonImage::none, 0x44002F00},
      {"disabled", 0, 1, 1, tab | StateBit::disabled, ButtonImage::none, 0x4C012F00},
      {"state bits other than tab stop and disabled are not taken", 0, 1, 1, 0x10000000 | tab,
       ButtonImage::none, 0x44012F00},
      {"default push button", 1, 1, 1, tab, ButtonImage::none, 0x44012F01},
      {"an unknown type is a normal push button", 2, 1, 1, tab, ButtonImage::none, 0x44012F00},
      {"left", 0, 0, 1, tab, ButtonImage::none, 0x44012D00},
      {"right", 0, 2, 1, tab, ButtonImage::none, 0x44012E00},
      {"hAlign 5 is right", 0, 5, 1, tab, ButtonImage::none, 0x44012E00},
      {"top", 0, 1, 0, tab, ButtonImage::none, 0x44012700},
      {"bottom", 0, 1, 2, tab, ButtonImage::none, 0x44012B00},
      {"vAlign 7 is bottom", 0, 1, 7, tab, ButtonImage::none, 0x44012B00},
      {"icon picture", 0, 1, 1, tab, ButtonImage::icon, 0x44012F40},
      {"bitmap picture", 0, 1, 1, tab, ButtonImage::bitmap, 0x44012F80},
      {"left, top, default, disabled, bitmap", 1, 0, 0, StateBit::disabled, ButtonImage::bitmap,
       0x4C002581},
  };
  for (const auto& c : cases) {
    ButtonProperties p;
    p.type = c.type;
    p.hAlign = c.hAlign;
    p.vAlign = c.vAlign;
    const std::uint32_t style = composeButtonStyle(p, c.stateBits, c.image);
    EXPECT_EQ(style, c.expected) << c.name << ": got 0x" << std::hex << style;
    EXPECT_EQ(isDefaultPushButtonStyle(style), c.type == 1) << c.name;
  }
}

}  // namespace
}  // namespace vtg::controls
