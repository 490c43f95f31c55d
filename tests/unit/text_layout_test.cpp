// Line breaking and placement of the text layout, with a fixed-width measure so that
// every position can be worked out by hand: 8 px per single-byte character, 16 px per
// double-byte character, lines 16 px high.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Gbk.h"
#include "platform/TextDraw.h"

namespace {

using vtg::platform::gbkFromUtf8;
using vtg::platform::layoutTextA;
using vtg::platform::TextLayout;
using namespace vtg::platform::TextFlag;

constexpr int kLineHeight = 16;

int fixedWidth(std::string_view gbk) {
  int w = 0;
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto b = static_cast<unsigned char>(gbk[i]);
    const bool pair = b >= 0x81 && b <= 0xFE && i + 1 < gbk.size() &&
                      static_cast<unsigned char>(gbk[i + 1]) >= 0x40;
    w += pair ? 16 : 8;
    if (pair) ++i;
  }
  return w;
}


struct Line {
  std::string utf8;
  int x;
  int y;
  int underlined = -1;  // byte offset in the line's GBK bytes
};

struct LayoutCase {
  const char* name;
  std::string utf8;
  int width;
  int height;
  std::uint32_t flags;
  std::vector<Line> lines;
};

std::string describe(const TextLayout& layout) {
  std::string s;
  for (const auto& l : layout.lines) {
    s += "[" + vtg::platform::unicodeFromGbk(l.gbk).toStdString() + "] x=" + std::to_string(l.x) +
         " y=" + std::to_string(l.y) + " u=" + std::to_string(l.underlined) + "\n";
  }
  return s;
}

const std::uint32_t kLabelWrap = left | noClip | wordBreak | vcentre;

const std::vector<LayoutCase> kCases = {
    // Single line.
    {"crlf_stays_on_one_line", "ab\r\ncd\r\n", 200, 40, singleLine | vcentre, {{"abcd", 0, 12}}},
    {"single_line_top", "ab", 200, 40, singleLine, {{"ab", 0, 0}}},
    {"single_line_bottom", "ab", 200, 40, singleLine | bottom, {{"ab", 0, 24}}},
    {"single_line_centre_odd_room", "ab", 200, 25, singleLine | vcentre, {{"ab", 0, 4}}},
    {"single_line_taller_than_rect", "ab", 200, 10, singleLine | vcentre, {{"ab", 0, -3}}},
    {"single_line_never_wraps", "abc def 中文", 16, 16, singleLine | wordBreak, {{"abc def 中文", 0, 0}}},
    // Prefixes.
    {"prefix_underlines_next", "&File", 200, 16, singleLine, {{"File", 0, 0, 0}}},
    {"double_prefix_is_one_ampersand", "a&&b", 200, 16, singleLine, {{"a&b", 0, 0}}},
    {"prefix_before_chinese", "x&中y", 200, 16, singleLine, {{"x中y", 0, 0, 1}}},
    {"prefix_at_end_dropped", "ab&", 200, 16, singleLine, {{"ab", 0, 0}}},
    {"prefix_then_double", "&&&x", 200, 16, singleLine, {{"&x", 0, 0, 1}}},
    {"prefix_not_counted_for_wrap", "&abcd &efgh", 32, 64, kLabelWrap, {{"abcd", 0, 0, 0}, {"efgh", 0, 16, 0}}},
    // Word wrap.
    {"breaks_between_chinese", "中文字符测试", 64, 64, kLabelWrap, {{"中文字符", 0, 0}, {"测试", 0, 16}}},
    {"keeps_ascii_word_whole", "abc defgh", 48, 64, kLabelWrap, {{"abc", 0, 0}, {"defgh", 0, 16}}},
    {"mixed_chinese_and_ascii", "中abc文", 48, 64, kLabelWrap, {{"中abc", 0, 0}, {"文", 0, 16}}},
    {"ascii_word_glued_to_chinese_moves_whole", "中文ab", 40, 64, kLabelWrap, {{"中文", 0, 0}, {"ab", 0, 16}}},
    {"closing_punctuation_stays_with_previous_char", "中文，字", 32, 64, kLabelWrap,
     {{"中", 0, 0}, {"文，", 0, 16}, {"字", 0, 32}}},
    {"quotes_hold_on_to_their_word", "中“文”", 48, 64, kLabelWrap, {{"中", 0, 0}, {"“文”", 0, 16}}},
    {"closing_quote_after_ascii_word", "ab“Yes”，c", 80, 64, kLabelWrap, {{"ab", 0, 0}, {"“Yes”，c", 0, 16}}},
    {"crlf_ends_lines", "ab\r\n\r\ncd", 200, 64, kLabelWrap, {{"ab", 0, 0}, {"", 0, 16}, {"cd", 0, 32}}},
    {"lone_lf_and_cr_end_lines", "ab\ncd\ref", 200, 64, kLabelWrap, {{"ab", 0, 0}, {"cd", 0, 16}, {"ef", 0, 32}}},
    {"final_crlf_adds_no_line", "ab\r\n", 200, 64, kLabelWrap, {{"ab", 0, 0}}},
    {"vcentre_ignored_when_wrapped", "ab", 200, 100, kLabelWrap, {{"ab", 0, 0}}},
    {"bottom_ignored_when_wrapped", "ab", 200, 100, wordBreak | bottom, {{"ab", 0, 0}}},
    {"blanks_at_break_dropped", "ab   cd", 32, 64, kLabelWrap, {{"ab", 0, 0}, {"cd", 0, 16}}},
    {"blanks_between_chinese_at_break_dropped", "中文  字", 40, 64, kLabelWrap, {{"中文", 0, 0}, {"字", 0, 16}}},
    {"leading_blanks_kept", "  ab", 200, 64, kLabelWrap, {{"  ab", 0, 0}}},
    {"trailing_blanks_kept_when_they_fit", "ab  \r\ncd", 32, 64, kLabelWrap, {{"ab  ", 0, 0}, {"cd", 0, 16}}},
    {"trailing_blanks_dropped_past_the_edge", "中  \r\ncd", 24, 64, kLabelWrap, {{"中", 0, 0}, {"cd", 0, 16}}},
    {"word_exactly_filling_line", "abcd ef", 32, 64, kLabelWrap, {{"abcd", 0, 0}, {"ef", 0, 16}}},
    {"overlong_word_broken_at_last_fitting_char", "abcdefghij", 32, 64, kLabelWrap,
     {{"abcd", 0, 0}, {"efgh", 0, 16}, {"ij", 0, 32}}},
    {"overlong_word_moves_to_own_line_first", "x abcdefghij", 32, 64, kLabelWrap,
     {{"x", 0, 0}, {"abcd", 0, 16}, {"efgh", 0, 32}, {"ij", 0, 48}}},
    {"one_char_per_line_when_none_fits", "中文", 8, 64, kLabelWrap, {{"中", 0, 0}, {"文", 0, 16}}},
    {"tab_is_one_blank_inside_its_word", "ab\tcd ef", 48, 64, kLabelWrap, {{"ab cd", 0, 0}, {"ef", 0, 16}}},
    {"lone_lead_byte_is_single_char", "ab\x81", 200, 16, singleLine, {{"ab\x81", 0, 0}}},
    // Lines only at CR LF without word wrap.
    {"no_wrap_without_word_break", "abcdefgh\r\nij", 16, 64, left, {{"abcdefgh", 0, 0}, {"ij", 0, 16}}},
    // Horizontal placement.
    {"centre", "ab", 100, 16, centre | singleLine, {{"ab", 42, 0}}},
    {"centre_odd_room", "abc", 101, 16, centre | singleLine, {{"abc", 38, 0}}},
    {"right", "ab", 100, 16, right | singleLine, {{"ab", 84, 0}}},
    {"centre_wins_over_right", "ab", 100, 16, centre | right | singleLine, {{"ab", 42, 0}}},
    {"centre_each_wrapped_line", "abcd ef", 40, 64, centre | wordBreak, {{"abcd", 4, 0}, {"ef", 12, 16}}},
    {"right_wider_than_rect", "abcdef", 32, 16, right | singleLine, {{"abcdef", -16, 0}}},
};

class LayoutTable : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTable, LinesAndPositions) {
  const LayoutCase& c = GetParam();
  // The expected texts are written in UTF-8 apart from raw bytes kept as they are.
  const auto toGbk = [](const std::string& s) {
    return s.find('\x81') != std::string::npos ? s : gbkFromUtf8(s);
  };
  const TextLayout got = layoutTextA(toGbk(c.utf8), QSize(c.width, c.height), c.flags, fixedWidth,
                                     kLineHeight);
  ASSERT_EQ(got.lines.size(), c.lines.size()) << describe(got);
  for (std::size_t i = 0; i < c.lines.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i) + "\n" + describe(got));
    EXPECT_EQ(got.lines[i].gbk, toGbk(c.lines[i].utf8));
    EXPECT_EQ(got.lines[i].x, c.lines[i].x);
    EXPECT_EQ(got.lines[i].y, c.lines[i].y);
    EXPECT_EQ(got.lines[i].underlined, c.lines[i].underlined);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, LayoutTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextLayout, WrappedLinesNeverPassTheRightEdge) {
  // A long mixed text at several widths: every line fits unless it is one character.
  const std::string text = gbkFromUtf8(
      "启动时根据提示按del 键\r\n按 F10 保存键以配置 BIOS 找到“System Configuration”选择"
      "“Virtualization Technology”，然后按 Enter 键");
  for (int width : {24, 40, 64, 100, 160, 416}) {
    const TextLayout got = layoutTextA(text, QSize(width, 1000), kLabelWrap, fixedWidth, kLineHeight);
    for (const auto& line : got.lines) {
      const bool oneChar = line.gbk.size() <= 2;
      EXPECT_TRUE(line.width <= width || oneChar) << "width " << width << "\n" << describe(got);
    }
  }
}

TEST(TextLayout, TextLongerThanTheRectangleKeepsTheLinesThatFit) {
  // The rectangle's height never changes the lines: a short label shows the first lines
  // of a tall one, unchanged, and the clip cuts the rest.
  const std::string text = gbkFromUtf8("一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十");
  const TextLayout tall = layoutTextA(text, QSize(80, 1000), kLabelWrap, fixedWidth, kLineHeight);
  const TextLayout shortOne = layoutTextA(text, QSize(80, 40), kLabelWrap, fixedWidth, kLineHeight);
  ASSERT_EQ(tall.lines.size(), 6u);
  EXPECT_EQ(shortOne.lines, tall.lines);
  EXPECT_EQ(tall.lines[5].y, 80);
}

TEST(TextLayout, BlockSizeIsWidestLineByAllLines) {
  const auto layOut = [](const char* utf8, std::uint32_t flags) {
    return layoutTextA(gbkFromUtf8(utf8), QSize(40, 10), flags, fixedWidth, kLineHeight);
  };
  const TextLayout got = layOut("abcd ef\r\n中", kLabelWrap);
  ASSERT_EQ(got.lines.size(), 3u);
  EXPECT_EQ(got.blockSize, QSize(32, 48));
  EXPECT_EQ(layOut("", kLabelWrap).blockSize, QSize(0, 0));
  EXPECT_TRUE(layOut("", singleLine).lines.empty());
}

}  // namespace
