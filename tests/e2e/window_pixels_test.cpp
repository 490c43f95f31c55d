// What the windows look like, read back from the screen: the client area in the button-face
// colour, the pictures where their boxes are, the texts in their colours where their
// labels are.

#include <cmath>
#include <sstream>

#include "GuideTest.h"

namespace vtg::e2e {
namespace {

constexpr std::uint32_t kPureRed = 0xFF0000;
constexpr std::uint32_t kPureBlue = 0x0000FF;

// Counts the pixels of `area` (client coordinates) that `match`.
template <class Match>
int count(const Pixels& client, const Rect& area, Match match) {
  int n = 0;
  for (int y = std::max(area.y, 0); y < std::min(area.bottom(), client.height); ++y)
    for (int x = std::max(area.x, 0); x < std::min(area.right(), client.width); ++x)
      if (match(client.at(x, y))) ++n;
  return n;
}

int areaOf(const Pixels& client, const Rect& area) {
  return count(client, area, [](std::uint32_t) { return true; });
}

bool mostlyFace(const Pixels& client, const Rect& area, std::uint32_t face) {
  return count(client, area, [&](std::uint32_t c) { return c == face; }) > areaOf(client, area) / 2;
}

bool isReddish(std::uint32_t rgb) {
  const int r = int((rgb >> 16) & 0xFF), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
  return r >= 128 && g < r - 60 && b < r - 60;
}

bool isDark(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) < 80 && ((rgb >> 8) & 0xFF) < 80 && (rgb & 0xFF) < 80; }

using Problems = std::vector<std::string>;

std::string listed(const Problems& problems) {
  std::string out;
  for (const auto& p : problems) out += "\n  " + p;
  return out;
}

class WindowPixelsTest : public GuideTest {
 protected:
  // Looks at the client area of `w`, in front, again and again until `problemsIn` finds
  // nothing wrong or time runs out, so a window that is still being painted gets its time;
  // gives what was wrong with the last look.
  template <class Check>
  Problems problemsOnceSettled(Window w, Check problemsIn) {
    if (!run().bringToFront(w)) return {run().describe(w) + " cannot be brought to the front"};
    Problems problems = {"the client area cannot be read"};
    waitUntil([&] {
      const auto client = display().clientRect(w);
      if (!client) return false;
      problems = problemsIn(display().grab(*client));
      return problems.empty();
    });
    return problems;
  }
};

TEST_F(WindowPixelsTest, MainWindowShowsItsPictureAndColouredTextsOnTheButtonFace) {
  const Problems problems = problemsOnceSettled(mainWindow(), [](const Pixels& client) {
    Problems out;
    if (client.width < 640 || client.height < 650) return Problems{"the client area is too small to look at"};
    // Spots that no control covers are the window's own background.
    const std::uint32_t face = client.at(180, 100);
    for (const Point bare : {Point{4, 4}, Point{100, 280}, Point{190, 290}, Point{636, 8}})
      if (client.at(bare.x, bare.y) != face) {
        std::ostringstream s;
        s << "the background at " << bare << " differs from that at (180, 100)";
        out.push_back(s.str());
      }
    // 图片框1 shows MainPicture, not the background.
    if (mostlyFace(client, {8, 304, 616, 344}, face)) out.push_back("the picture box shows mostly background");
    // 标签1: the red procedure starts at the label's top edge, on the button face.
    const Rect red{208, 80, 416, 200};
    if (count(client, {red.x, red.y, red.width, 16}, [](std::uint32_t c) { return c == kPureRed; }) == 0)
      out.push_back("no pure red in the first rows of the procedure");
    if (!mostlyFace(client, red, face)) out.push_back("the procedure's label is not on the button face");
    // 标签2: the blue remark is one line, vertically centred in its 40 rows.
    const Rect blue{328, 24, 304, 40};
    int firstRow = -1;
    int lastRow = -1;
    for (int y = blue.y; y < blue.bottom(); ++y)
      if (count(client, {blue.x, y, blue.width, 1}, [](std::uint32_t c) { return c == kPureBlue; }) > 0) {
        if (firstRow < 0) firstRow = y;
        lastRow = y;
      }
    if (firstRow < 0) {
      out.push_back("no pure blue in the remark");
    } else if (lastRow - firstRow > 16) {
      out.push_back("the remark takes more than one line");
    } else if (std::abs((firstRow + lastRow) / 2 - (blue.y + blue.height / 2)) > 4) {
      out.push_back("the remark's rows " + std::to_string(firstRow) + " to " + std::to_string(lastRow) +
                    " are not centred in rows 24 to 63");
    }
    return out;
  });
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(WindowPixelsTest, MainWindowProcedureShowsAllItsLines) {
  // The fifteen lines of 标签1 fit its 200 rows, so the last step (switch off, wait, start
  // again) ends above the label's bottom edge rather than being cut off by it.
  const Rect red{208, 80, 416, 200};
  const Problems problems = problemsOnceSettled(mainWindow(), [&](const Pixels& client) {
    if (client.width < red.right() || client.height < red.bottom()) return Problems{"the client area is too small"};
    if (count(client, {red.x, red.y, red.width, 16}, isReddish) == 0) return Problems{"the procedure is not drawn"};
    const int cut = count(client, {red.x, red.bottom() - 1, red.width, 1}, isReddish);
    if (cut > 0)
      return Problems{"the procedure's last line is cut off at the bottom of its label (" + std::to_string(cut) +
                      " red pixels in its last row)"};
    return Problems{};
  });
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

struct GuideLayout {
  GuideWindow window;
  std::vector<Rect> pictures;  // visible part of each picture box, client coordinates
  std::vector<Rect> texts;     // visible part of each label
};
void PrintTo(const GuideLayout& g, std::ostream* out) { PrintTo(g.window, out); }

class GuidePixelsTest : public WindowPixelsTest, public ::testing::WithParamInterface<GuideLayout> {};

TEST_P(GuidePixelsTest, PicturesFillTheirBoxesAndTextsAreDarkOnTheButtonFace) {
  const Window w = run().open(GetParam().window);
  ASSERT_NE(w, None) << "the button opened no window";
  ASSERT_TRUE(becomesOuterRect(w, centredRect(GetParam().window, 1920, 1080)));
  const Problems problems = problemsOnceSettled(w, [&](const Pixels& client) {
    Problems out;
    if (client.width == 0) return Problems{"no client area to look at"};
    // Every guide window leaves its client area's last column free of controls.
    const std::uint32_t face = client.at(client.width - 1, client.height / 2);
    for (const Rect& picture : GetParam().pictures) {
      std::ostringstream where;
      where << picture;
      if (mostlyFace(client, picture, face)) out.push_back("the picture box at " + where.str() + " shows background");
    }
    for (const Rect& text : GetParam().texts) {
      std::ostringstream where;
      where << text;
      if (count(client, text, isDark) == 0) out.push_back("no dark text in the label at " + where.str());
      if (!mostlyFace(client, text, face)) out.push_back("the label at " + where.str() + " is not on the button face");
    }
    return out;
  });
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

INSTANTIATE_TEST_SUITE_P(
    EachGuide, GuidePixelsTest,
    ::testing::Values(
        // 标签1's bottom 8 rows lie under 图片框1, which covers them.
        GuideLayout{GuideWindow::BiostarGuide,
                    {{8, 56, 580, 288}, {0, 384, 424, 152}},
                    {{16, 16, 608, 40}, {16, 352, 368, 24}, {456, 368, 320, 192}}},
        // 图片框1 starts 8 columns left of the client area.
        GuideLayout{GuideWindow::MsiGuide, {{0, 80, 544, 288}, {8, 432, 580, 392}}, {{0, 8, 544, 72}, {0, 368, 784, 56}}},
        GuideLayout{GuideWindow::GigabyteGuide, {{48, 160, 480, 312}}, {{40, 16, 592, 120}}},
        GuideLayout{GuideWindow::BiosIntro, {}, {{16, 8, 648, 464}}},
        GuideLayout{GuideWindow::AsusGuide, {{16, 24, 736, 632}}, {}}),
    [](const auto& info) { return ::testing::PrintToString(info.param.window); });

}  // namespace
}  // namespace vtg::e2e
