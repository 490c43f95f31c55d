#pragma once
// Text output on GBK bytes with the layout rules of the classic DrawTextA call: the one
// piece of text layout in the program, used by labels and push-button captions.
//
// Layout (line breaking and placement) is a pure function on the GBK bytes with the
// measuring passed in, so it runs without a display; drawing turns each laid-out line
// into Unicode and paints it with a QPainter.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;

namespace vtg::platform {

// Layout flags, with the values of the classic call.
namespace TextFlag {
inline constexpr std::uint32_t left = 0x000;
inline constexpr std::uint32_t centre = 0x001;
inline constexpr std::uint32_t right = 0x002;
inline constexpr std::uint32_t vcentre = 0x004;
inline constexpr std::uint32_t bottom = 0x008;
inline constexpr std::uint32_t wordBreak = 0x010;
inline constexpr std::uint32_t singleLine = 0x020;
inline constexpr std::uint32_t noClip = 0x100;
}  // namespace TextFlag

// The width in pixels of a run of GBK bytes as drawn on one line ("&" prefixes already
// taken out); fractional, so that the widths of a line's words add up to the line's.
using MeasureGbk = std::function<double(std::string_view gbk)>;

// One line as it is drawn.
struct TextLine {
  std::string gbk;          // the bytes shown, "&" prefixes taken out
  int underlined = -1;      // byte offset in `gbk` of the character to underline, or -1
  int x = 0;                // left edge, relative to the rectangle's left
  int y = 0;                // top edge, relative to the rectangle's top
  int width = 0;            // measured width of `gbk`, rounded up

  bool operator==(const TextLine&) const = default;
};

struct TextLayout {
  std::vector<TextLine> lines;
  int lineHeight = 0;
  QSize blockSize{0, 0};  // widest line by the lines' total height
};

// Lays `gbk` out in a rectangle of `size` with `flags`. `lineHeight` is the font height
// that separates two lines.
TextLayout layoutTextA(std::string_view gbk, QSize size, std::uint32_t flags,
                       const MeasureGbk& measure, int lineHeight);

// The measuring and line height that drawing with `font` uses.
MeasureGbk measureFor(const QFont& font);
int lineHeightFor(const QFont& font);

// Paints a finished layout with its rectangle's top-left at `origin`, in `colour`, with a
// transparent background. Clips to `clip` unless it is null (the caller clips).
void drawTextLayout(QPainter& painter, const QFont& font, const TextLayout& layout,
                    QPoint origin, const QColor& colour, const QRect& clip = QRect());

// Lays out and draws `gbk` into `rect` in `colour` with a transparent background. Without
// TextFlag::noClip the drawing is held inside `rect`.
void drawTextA(QPainter& painter, const QFont& font, std::string_view gbk, const QRect& rect,
               std::uint32_t flags, const QColor& colour);

// The rectangle the text would occupy when laid out in `rect` with `flags` (top-left at
// rect's top-left; width the widest line, height the lines' total).
QRect measureTextA(const QFont& font, std::string_view gbk, const QRect& rect, std::uint32_t flags);

}  // namespace vtg::platform
