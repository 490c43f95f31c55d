// Checks on the explanatory text of the "什么是BIOS" window: its size, that every byte
// is well-formed GBK, and that its sections are laid out with the spaces the wrapped
// label relies on to set them apart.

#include "content/BiosIntroText.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Converts between encodings with iconv; nothing if any byte cannot be converted.
std::optional<std::string> Convert(std::string_view in, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4 + 16, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  const bool flushed = iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || srcLeft != 0 || !flushed) return std::nullopt;
  out.resize(out.size() - dstLeft);
  return out;
}

std::string Gbk(std::string_view utf8) {
  auto gbk = Convert(utf8, "UTF-8", "GBK");
  if (!gbk) ADD_FAILURE() << "no GBK form for: " << utf8;
  return gbk.value_or("");
}

// Walks GBK bytes: a byte below 0x80 is one character, a lead byte 0x81-0xFE with a
// trail byte 0x40-0x7E or 0x80-0xFE is one character; anything else is malformed.
struct GbkWalk {
  bool wellFormed = true;
  std::size_t characters = 0;
  std::size_t badOffset = 0;
};

GbkWalk WalkGbk(std::string_view bytes) {
  GbkWalk walk;
  for (std::size_t i = 0; i < bytes.size(); ++walk.characters) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      i += 1;
      continue;
    }
    const bool leadOk = lead >= 0x81 && lead <= 0xFE;
    const auto trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    const bool trailOk = trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
    if (!leadOk || !trailOk) {
      walk.wellFormed = false;
      walk.badOffset = i;
      return walk;
    }
    i += 2;
  }
  return walk;
}

// The expected shape of one section: its heading (empty for a section without one) and
// whether text follows the heading.
struct Section {
  std::string heading;
  bool hasBody;
};

// Describes the first way in which text departs from the section layout, or returns an
// empty string. Sections are joined by exactly three spaces, a heading is followed by
// exactly two spaces, paragraphs are joined by two spaces, and no longer run of spaces
// occurs. A section without a heading is a single paragraph. A section without body is
// the heading alone, so the last one ends the text exactly.
std::string LayoutProblem(std::string_view text, const std::vector<Section>& expected) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] != ' ') {
      ++i;
      continue;
    }
    std::size_t run = text.find_first_not_of(' ', i);
    if (run == std::string_view::npos) run = text.size();
    const std::size_t length = run - i;
    if (length > 3) {
      return "a run of " + std::to_string(length) + " spaces at byte " + std::to_string(i);
    }
    if (length == 3) {
      sections.push_back(text.substr(start, i - start));
      start = run;
    }
    i = run;
  }
  sections.push_back(text.substr(start));
  if (sections.size() != expected.size()) {
    return std::to_string(sections.size()) + " sections instead of " +
           std::to_string(expected.size());
  }
  for (std::size_t n = 0; n < sections.size(); ++n) {
    const std::string_view section = sections[n];
    const Section& want = expected[n];
    const std::string where = "section " + std::to_string(n + 1) + ": ";
    if (section.empty() || section.front() == ' ' || section.back() == ' ') {
      return where + "empty or edged with spaces";
    }
    if (want.heading.empty()) {
      for (const Section& other : expected) {
        if (!other.heading.empty() && section.starts_with(other.heading)) {
          return where + "starts with a heading";
        }
      }
      if (section.find("  ") != std::string_view::npos) {
        return where + "has more than one paragraph";
      }
      continue;
    }
    if (!section.starts_with(want.heading)) return where + "does not start with its heading";
    const std::string_view rest = section.substr(want.heading.size());
    if (!want.hasBody) {
      if (!rest.empty()) return where + "has text after its heading";
      continue;
    }
    if (!rest.starts_with("  ") || rest.size() <= 2 || rest[2] == ' ') {
      return where + "heading is not followed by exactly two spaces and text";
    }
  }
  return {};
}

std::vector<Section> BiosIntroSections() {
  return {
      {Gbk("什么是BIOS："), true},
      {Gbk("如何进入BIOS："), true},
      {Gbk("什么是虚拟化技术："), true},
      {Gbk("虚拟化有什么好处："), true},
      {Gbk("如何在BIOS中开启虚拟化技术："), true},
      {Gbk("如果找不到Configuration选项，可以试试下面的方法："), true},
      {"", true},
      {Gbk("找不到BIOS中开启虚拟化技术的开关?："), false},
  };
}

// --- The text itself ---

TEST(BiosIntroText, HasTheSizeTheLabelIsLaidOutFor) {
  const std::string_view text = vtg::content::BiosIntroText();
  EXPECT_EQ(text.size(), 2142u);
  const GbkWalk walk = WalkGbk(text);
  ASSERT_TRUE(walk.wellFormed) << "malformed GBK at byte " << walk.badOffset;
  EXPECT_EQ(walk.characters, 1265u);
}

TEST(BiosIntroText, IsOneRunOfConvertibleGbk) {
  const std::string_view text = vtg::content::BiosIntroText();
  for (std::size_t i = 0; i < text.size(); ++i) {
    // CR or LF would break lines on their own, and a NUL would cut the stored text short.
    EXPECT_GE(static_cast<unsigned char>(text[i]), 0x20) << "control byte at " << i;
  }
  const auto utf8 = Convert(text, "GBK", "UTF-8");
  ASSERT_TRUE(utf8.has_value()) << "iconv cannot read the text as GBK";
  EXPECT_EQ(Convert(*utf8, "UTF-8", "GBK"), std::string(text))
      << "GBK does not survive a round trip";
}

TEST(BiosIntroText, SectionsFollowEachOtherWithTheirHeadingsAndSpacing) {
  EXPECT_EQ(LayoutProblem(vtg::content::BiosIntroText(), BiosIntroSections()), "");
}

// --- The checks above, shown to catch the faults they look for ---

TEST(BiosIntroTextChecks, GbkWalkCountsCharactersAndStopsAtMalformedBytes) {
  struct Case {
    std::string bytes;
    bool wellFormed;
    std::size_t characters;  // when well-formed
    std::size_t badOffset;   // when malformed
  };
  const Case cases[] = {
      {"A\xd6\xd0 1", true, 4, 0},
      {"\x81\x40\xfe\xfe", true, 2, 0},
      {"AB\xd6", false, 0, 2},              // lead byte without trail at the end
      {"\xd6\xd0\x80\x41", false, 0, 2},  // 0x80 is never a lead byte
      {"\xff\x41", false, 0, 0},            // nor is 0xFF
      {"\xd6\x20", false, 0, 0},            // a space cannot be a trail byte
      {"\xd6\x7f", false, 0, 0},            // nor can DEL
  };
  for (const Case& c : cases) {
    const GbkWalk walk = WalkGbk(c.bytes);
    EXPECT_EQ(walk.wellFormed, c.wellFormed) << testing::PrintToString(c.bytes);
    if (c.wellFormed) EXPECT_EQ(walk.characters, c.characters) << testing::PrintToString(c.bytes);
    else EXPECT_EQ(walk.badOffset, c.badOffset) << testing::PrintToString(c.bytes);
  }
}

TEST(BiosIntroTextChecks, LayoutCheckRejectsMisplacedSpacesAndHeadings) {
  const std::string a = Gbk("甲："), b = Gbk("乙："), end = Gbk("完?：");
  const std::vector<Section> shape = {{a, true}, {b, true}, {"", true}, {end, false}};
  struct Case {
    const char* fault;
    std::string text;
    bool accepted;
  };
  const Case cases[] = {
      {"none", a + "  x  y   " + b + "  z   w   " + end, true},
      {"text after the last heading", a + "  x   " + b + "  z   w   " + end + "  ", false},
      {"four spaces between sections", a + "  x    " + b + "  z   w   " + end, false},
      {"one space after a heading", a + " x   " + b + "  z   w   " + end, false},
      {"three spaces after a heading", a + "   x   " + b + "  z   w   " + end, false},
      {"headings out of order", b + "  x   " + a + "  z   w   " + end, false},
      {"a section missing", a + "  x   " + b + "  z   " + end, false},
      {"two paragraphs without heading", a + "  x   " + b + "  z   v  w   " + end, false},
      {"heading where none belongs", a + "  x   " + b + "  z   " + a + "  w   " + end, false},
  };
  for (const Case& c : cases) {
    const std::string problem = LayoutProblem(c.text, shape);
    EXPECT_EQ(problem.empty(), c.accepted) << c.fault << ": " << problem;
  }
}

}  // namespace
