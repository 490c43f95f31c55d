// The `window` kind's property block and the style it composes.

#include <gtest/gtest.h>

#include "controls/WindowProperties.h"
#include "forms/PropertyStream.h"

namespace vtg::controls {
namespace {

// A block of the given version in the stored order, every field away from its default.
Bytes storedBlock(std::uint32_t version) {
  PropertyWriter w;
  w.u32(version);
  // border, pictureMode, backColour, maximiseBox, minimiseBox, controlBox, position,
  // movable, musicPlayMode, enterMovesFocus, escCloses, f1OpensHelp, helpContext
  for (std::uint32_t v : {5u, 3u, 0x00112233u, 1u, 1u, 0u, 0u, 0u, 2u, 1u, 0u, 1u, 77u}) w.u32(v);
  if (version >= 2) w.u32(0);  // showInTaskbar
  if (version >= 3) w.u32(1).u32(2);  // dragAnywhere, shape
  if (version >= 4) w.u32(1);  // alwaysOnTop
  if (version >= 5) w.u32(1);  // keepCaptionActive
  if (version >= 6) w.text("Cls");
  const std::uint8_t picture[] = {1, 2, 3}, icon[] = {4}, music[] = {5, 6};
  w.blob(picture).blob(icon).blob(music);
  w.text(std::string_view("T\0ignored", 9)).text("h.hlp");
  return std::move(w).bytes();
}

TEST(WindowProperties, EachVersionReadsItsFieldsAndKeepsDefaultsForTheRest) {
  for (std::uint32_t version = 0; version <= 6; ++version) {
    SCOPED_TRACE("version " + std::to_string(version));
    const auto p = readWindowProperties(storedBlock(version));
    ASSERT_TRUE(p);
    // The fields every version holds.
    EXPECT_EQ(p->border, 5u);
    EXPECT_EQ(p->pictureMode, 3u);
    EXPECT_EQ(p->backColour, 0x00112233u);
    EXPECT_TRUE(p->maximiseBox);
    EXPECT_TRUE(p->minimiseBox);
    EXPECT_FALSE(p->controlBox);
    EXPECT_EQ(p->position, 0u);
    EXPECT_FALSE(p->movable);
    EXPECT_EQ(p->musicPlayMode, 2u);
    EXPECT_TRUE(p->enterMovesFocus);
    EXPECT_FALSE(p->escCloses);
    EXPECT_TRUE(p->f1OpensHelp);
    EXPECT_EQ(p->helpContext, 77u);
    EXPECT_EQ(p->backPicture, (Bytes{1, 2, 3}));
    EXPECT_EQ(p->icon, (Bytes{4}));
    EXPECT_EQ(p->backMusic, (Bytes{5, 6}));
    EXPECT_EQ(p->caption, "T");  // a text ends at its first NUL
    EXPECT_EQ(p->helpFile, "h.hlp");
    // Those later versions added: stored values, else the defaults.
    EXPECT_EQ(p->showInTaskbar, version < 2);
    EXPECT_EQ(p->dragAnywhere, version >= 3);
    EXPECT_EQ(p->shape, version >= 3 ? 2u : 0u);
    EXPECT_EQ(p->alwaysOnTop, version >= 4);
    EXPECT_EQ(p->keepCaptionActive, version >= 5);
    EXPECT_EQ(p->className, version >= 6 ? "Cls" : "");
  }
}

TEST(WindowProperties, AnEmptyBlockGivesTheDefaults) {
  const auto p = readWindowProperties({});
  ASSERT_TRUE(p);
  EXPECT_EQ(*p, WindowProperties{});
  EXPECT_EQ(p->border, 2u);
  EXPECT_EQ(p->backColour, 0xFF000000u);
  EXPECT_TRUE(p->controlBox && p->escCloses && p->showInTaskbar && p->movable);
  EXPECT_EQ(p->position, 1u);
}

// Version 0 with every number 0 and nothing in the blobs and texts: 76 bytes.
TEST(WindowProperties, AllZeroVersionZeroBlockReadsAsZeroNotAsDefaults) {
  const Bytes block(4 + 13 * 4 + 3 * 4 + 2 * 4, 0);
  ASSERT_EQ(block.size(), 76u);
  const auto p = readWindowProperties(block);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->border, 0u);
  EXPECT_EQ(p->backColour, 0u);
  EXPECT_FALSE(p->controlBox);
  EXPECT_FALSE(p->escCloses);
  EXPECT_EQ(p->position, 0u);
  EXPECT_TRUE(p->showInTaskbar);  // not in version 0
}

TEST(WindowProperties, ANegativeOrZeroCountIsAnEmptyBlobAndReadingGoesOn) {
  PropertyWriter w;
  w.u32(1);
  for (int i = 0; i < 13; ++i) w.u32(0);
  w.i32(-5).i32(0).i32(-1);             // three empty blobs, no bytes after the counts
  w.text("A").i32(-2);                  // caption "A", helpFile empty
  const auto p = readWindowProperties(w.bytes());
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->backPicture.empty() && p->icon.empty() && p->backMusic.empty());
  EXPECT_EQ(p->caption, "A");
  EXPECT_EQ(p->helpFile, "");
}

TEST(WindowProperties, ABlockThatEndsInsideAFieldIsNotRead) {
  for (std::uint32_t version = 0; version <= 6; ++version) {
    const Bytes whole = storedBlock(version);
    for (std::size_t cut = 1; cut < whole.size(); ++cut) {
      const Bytes part(whole.begin(), whole.begin() + std::ptrdiff_t(cut));
      EXPECT_FALSE(readWindowProperties(part)) << "version " << version << " cut at " << cut;
    }
  }
}

TEST(WindowProperties, AVersionAboveSixIsNotRead) {
  for (std::uint32_t version : {7u, 8u, 0x80000000u, 0xFFFFFFFFu}) {
    Bytes block = storedBlock(6);
    PropertyWriter v;
    v.u32(version);
    std::copy(v.bytes().begin(), v.bytes().end(), block.begin());
    EXPECT_FALSE(readWindowProperties(block)) << version;
  }
}

TEST(WindowProperties, WrittenBlocksReadBackUnchanged) {
  WindowProperties p;
  p.caption = "\xd0\xe9\xc4\xe2";  // GBK
  p.border = 6;
  p.backColour = 0x00ABCDEF;
  p.backPicture = {9, 8, 7};
  p.enterMovesFocus = true;
  p.escCloses = false;
  p.className = "k";
  p.helpFile = "x";
  p.shape = 29;
  const auto back = readWindowProperties(writeWindowProperties(p));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, p);
  EXPECT_EQ(readWindowProperties(writeWindowProperties({})), WindowProperties{});
}

TEST(WindowStyle, ComposesFromBorderBoxesAndStateBits) {
  struct Case {
    const char* what;
    std::uint32_t border;
    bool controlBox;
    const char* caption;
    bool boxes;
    std::uint32_t stateBits;
    WindowStyle want;
  };
  const Case cases[] = {
      {"the defaults", 2, true, "", false, 0, {0x02C80000, 0}},
      {"disabled", 2, true, "", false, 0x08000000, {0x0AC80000, 0}},
      {"no border", 0, true, "x", true, 0, {0x02030000, 0}},
      {"resizable", 1, true, "", false, 0, {0x02CC0000, 0}},
      {"resizable tool window", 3, true, "", false, 0, {0x02CC0000, 0x80}},
      {"fixed tool window", 4, true, "", false, 0, {0x02C80000, 0x80}},
      {"resizable sunken", 5, true, "", false, 0, {0x02CC0000, 0x200}},
      {"fixed sunken", 6, true, "", false, 0, {0x02C80000, 0x200}},
      {"out-of-range border acts as fixed", 9, true, "", false, 0, {0x02C80000, 0}},
      {"no system menu, no caption: frame only", 2, false, "", false, 0, {0x02400000, 0}},
      {"no system menu, a caption: title bar", 2, false, "x", false, 0, {0x02C00000, 0}},
      {"minimise and maximise boxes", 2, true, "", true, 0, {0x02CB0000, 0}},
  };
  for (const auto& c : cases) {
    WindowProperties p;
    p.border = c.border;
    p.controlBox = c.controlBox;
    p.caption = c.caption;
    p.maximiseBox = p.minimiseBox = c.boxes;
    const WindowStyle s = composeWindowStyle(p, c.stateBits);
    EXPECT_EQ(s.style, c.want.style) << c.what << std::hex << " got 0x" << s.style;
    EXPECT_EQ(s.exStyle, c.want.exStyle) << c.what;
  }
}

}  // namespace
}  // namespace vtg::controls
