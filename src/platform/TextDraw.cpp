#include "platform/TextDraw.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>

#include "platform/Gbk.h"

// The rules this layout follows, in the order they are applied:
//
//  1. Characters. A byte 0x81-0xFE followed by a trail byte 0x40-0xFE (not 0x7F) is one
//     double-byte character; every other byte is a single-byte character. A lead byte
//     without a valid trail byte stands alone (it is drawn as a replacement mark).
//  2. Prefixes. "&&" is one "&"; "&" before any other character is not shown and marks
//     that character to be underlined (the first such mark on a line counts); a lone "&"
//     at the very end is dropped.
//  3. Tabs are not expanded: a tab is shown as one blank the width of a space, and it
//     belongs to its word rather than separating words.
//  4. Single line: the whole text is one line; CR and LF neither break it nor show.
//     The line is placed at the top, middle or bottom of the rectangle; the middle is
//     (height - line height) / 2 from the top, rounded towards zero.
//  5. Otherwise the text is cut into paragraphs at CR LF (a CR or an LF on its own also
//     ends one). A break at the very end of the text does not start another line.
//  6. Word wrap (only with the word-break flag): words are a double-byte character each,
//     or a run of single-byte characters between blanks (0x20) and line breaks; Chinese
//     closing punctuation (，。、；：？！）》」』”’ and the like) belongs to the word before
//     it and opening punctuation (（《「『“‘ and the like) to the word after it, so a line
//     neither starts with a full stop nor ends with an opening quote. A line
//     ends before a word that would pass the right edge, once the line holds a word.
//     The run of blanks at such a break belongs to neither line: it is not drawn at the
//     end of the first and not carried to the start of the next. Blanks at the start of
//     a paragraph are kept (indentation); blanks at its end are kept when they fit and
//     dropped when they would pass the edge.
//  7. A word wider than a whole line, or wider than the room left on a line that holds
//     no word yet, is broken after its last character that fits (at least one character
//     per line, so the layout always moves on).
//  8. Lines lie one font height apart from the top; the vertical-centre and bottom flags
//     only act on a single line.
//  9. Each line is placed left, centred ((width - line width) / 2, rounded towards zero)
//     or right; centre wins when both are set. Nothing is shortened: what passes the
//     rectangle is cut by the clip, not by the layout.
// 10. The background is left alone (transparent); only glyphs and underlines are drawn.

namespace vtg::platform {
namespace {

enum class UnitKind { Single, Double, Blank, Cr, Lf };

// One character after prefix processing.
struct Unit {
  char bytes[2] = {0, 0};
  std::uint8_t size = 1;
  UnitKind kind = UnitKind::Single;
  bool underlined = false;
};

constexpr char kPrefix = '&';
constexpr char kBlank = ' ';
constexpr char kTab = '\t';
constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Rules 1 to 3: the characters of the text with the prefixes taken out.
std::vector<Unit> unitsOf(std::string_view gbk) {
  std::vector<Unit> units;
  units.reserve(gbk.size());
  bool underlineNext = false;
  std::size_t i = 0;
  while (i < gbk.size()) {
    const auto b = static_cast<unsigned char>(gbk[i]);
    Unit u;
    if (isLeadByte(b) && i + 1 < gbk.size() && isTrailByte(static_cast<unsigned char>(gbk[i + 1]))) {
      u.bytes[0] = gbk[i];
      u.bytes[1] = gbk[i + 1];
      u.size = 2;
      u.kind = UnitKind::Double;
      i += 2;
    } else if (gbk[i] == kPrefix) {
      if (i + 1 < gbk.size() && gbk[i + 1] == kPrefix) {
        u.bytes[0] = kPrefix;
        i += 2;
      } else {
        underlineNext = true;
        ++i;
        continue;
      }
    } else {
      u.bytes[0] = gbk[i] == kTab ? kBlank : gbk[i];
      u.kind = gbk[i] == kBlank ? UnitKind::Blank
               : gbk[i] == kCr  ? UnitKind::Cr
               : gbk[i] == kLf  ? UnitKind::Lf
                                : UnitKind::Single;
      ++i;
    }
    u.underlined = underlineNext && (u.kind != UnitKind::Cr && u.kind != UnitKind::Lf);
    underlineNext = false;
    units.push_back(u);
  }
  return units;
}

bool isBreak(const Unit& u) { return u.kind == UnitKind::Cr || u.kind == UnitKind::Lf; }

// Double-byte punctuation that a line should not start with (closing) or end with
// (opening), as GBK pairs.
bool inPairs(const Unit& u, std::string_view pairs) {
  if (u.kind != UnitKind::Double) return false;
  for (std::size_t k = 0; k + 1 < pairs.size(); k += 2) {
    if (pairs[k] == u.bytes[0] && pairs[k + 1] == u.bytes[1]) return true;
  }
  return false;
}

bool isClosingPunctuation(const Unit& u) {
  // ，。、；：？！）》」』”’】〕〉］｝．
  static const std::string pairs = gbkFromUtf8(
      "\uFF0C\u3002\u3001\uFF1B\uFF1A\uFF1F\uFF01\uFF09\u300B\u300D\u300F\u201D\u2019"
      "\u3011\u3015\u3009\uFF3D\uFF5D\uFF0E");
  return inPairs(u, pairs);
}

bool isOpeningPunctuation(const Unit& u) {
  // （《「『“‘【〔〈［｛
  static const std::string pairs =
      gbkFromUtf8("\uFF08\u300A\u300C\u300E\u201C\u2018\u3010\u3014\u3008\uFF3B\uFF5B");
  return inPairs(u, pairs);
}

// Builds one line's bytes and width and remembers its first underlined character.
struct LineBuilder {
  std::string gbk;
  double width = 0;
  int underlined = -1;
  bool hasWord = false;

  void append(const std::vector<Unit>& units, std::size_t from, std::size_t to, double runWidth) {
    for (std::size_t k = from; k < to; ++k) {
      if (units[k].underlined && underlined < 0) underlined = static_cast<int>(gbk.size());
      gbk.append(units[k].bytes, units[k].size);
    }
    width += runWidth;
  }
};

// Breaks are decided on the sum of the widths of words and blank runs, each measured on
// its own (so the work grows with the text, not with the square of a line); the width a
// finished line is placed by is measured on the whole line.
class Layouter {
 public:
  Layouter(const std::vector<Unit>& units, int width, const MeasureGbk& measure)
      : units_(units), width_(width), measure_(measure) {}

  std::vector<TextLine> singleLine() {
    LineBuilder line;
    for (std::size_t k = 0; k < units_.size(); ++k) {
      if (!isBreak(units_[k])) line.append(units_, k, k + 1, 0);
    }
    finish(line);
    return std::move(lines_);
  }

  std::vector<TextLine> paragraphs(bool wrap) {
    std::size_t i = 0;
    while (i < units_.size()) {
      std::size_t end = i;
      while (end < units_.size() && !isBreak(units_[end])) ++end;
      if (wrap) {
        wrapParagraph(i, end);
      } else {
        LineBuilder line;
        line.append(units_, i, end, 0);
        finish(line);
      }
      // Rule 5: CR LF is one break; a lone CR or LF is one too.
      if (end < units_.size()) {
        if (units_[end].kind == UnitKind::Cr && end + 1 < units_.size() &&
            units_[end + 1].kind == UnitKind::Lf) {
          ++end;
        }
        ++end;
      }
      i = end;
    }
    return std::move(lines_);
  }

 private:
  // Rules 6 and 7 on the characters [from, to) of one paragraph.
  void wrapParagraph(std::size_t from, std::size_t to) {
    LineBuilder line;
    std::size_t i = from;
    while (i < to) {
      // The blanks before the next word, then the word itself.
      std::size_t wordStart = i;
      while (wordStart < to && units_[wordStart].kind == UnitKind::Blank) ++wordStart;
      const double blanks = runWidth(i, wordStart);
      if (wordStart == to) {
        // Blanks at the paragraph's end stay on its last line while they fit; past the
        // edge they are dropped like the blanks at any other break.
        if (fits(line.width + blanks)) line.append(units_, i, to, blanks);
        break;
      }
      const std::size_t wordEnd = wordEndFrom(wordStart, to);
      const double word = runWidth(wordStart, wordEnd);
      if (fits(line.width + blanks + word)) {
        line.append(units_, i, wordEnd, blanks + word);
        line.hasWord = true;
        i = wordEnd;
        continue;
      }
      if (line.hasWord) {
        // The line ends before this word; the blanks in between are dropped.
        finish(line);
        line = LineBuilder();
        i = wordStart;
        continue;
      }
      // No word on the line yet: break the word after its last character that fits.
      line.append(units_, i, wordStart, blanks);
      std::size_t cut = wordStart;
      do {
        line.append(units_, cut, cut + 1, runWidth(cut, cut + 1));
        ++cut;
      } while (cut < wordEnd && fits(line.width + runWidth(cut, cut + 1)));
      line.hasWord = true;
      i = cut;
      if (i < wordEnd) {
        finish(line);
        line = LineBuilder();
      }
    }
    finish(line);
  }

  // Rule 6: where the word starting at `from` ends. Opening punctuation holds on to what
  // follows it and closing punctuation to what precedes it.
  std::size_t wordEndFrom(std::size_t from, std::size_t to) const {
    std::size_t k = from;
    while (k < to && isOpeningPunctuation(units_[k])) ++k;
    if (k < to) {
      if (units_[k].kind == UnitKind::Double) {
        ++k;
      } else {
        while (k < to && units_[k].kind == UnitKind::Single) ++k;
      }
    }
    while (k < to && isClosingPunctuation(units_[k])) ++k;
    return k;
  }

  // The width of the characters [from, to) drawn as one run.
  double runWidth(std::size_t from, std::size_t to) const {
    if (from == to) return 0;
    std::string run;
    for (std::size_t k = from; k < to; ++k) run.append(units_[k].bytes, units_[k].size);
    return measure_(run);
  }

  // A small allowance so that a sum of parts equal to the width is not lost to rounding.
  bool fits(double width) const { return width <= width_ + 1e-6; }

  void finish(LineBuilder& line) {
    TextLine out;
    out.width = line.gbk.empty() ? 0 : static_cast<int>(std::ceil(measure_(line.gbk) - 1e-6));
    out.gbk = std::move(line.gbk);
    out.underlined = line.underlined;
    lines_.push_back(std::move(out));
  }

  const std::vector<Unit>& units_;
  int width_;
  const MeasureGbk& measure_;
  std::vector<TextLine> lines_;
};

}  // namespace

TextLayout layoutTextA(std::string_view gbk, QSize size, std::uint32_t flags,
                       const MeasureGbk& measure, int lineHeight) {
  TextLayout layout;
  layout.lineHeight = lineHeight;
  if (gbk.empty()) return layout;
  const std::vector<Unit> units = unitsOf(gbk);
  Layouter layouter(units, size.width(), measure);
  const bool single = (flags & TextFlag::singleLine) != 0;
  layout.lines = single ? layouter.singleLine() : layouter.paragraphs((flags & TextFlag::wordBreak) != 0);

  // Rules 4, 8 and 9: where each line goes.
  int y = 0;
  if (single) {
    if (flags & TextFlag::vcentre) {
      y = (size.height() - lineHeight) / 2;
    } else if (flags & TextFlag::bottom) {
      y = size.height() - lineHeight;
    }
  }
  int widest = 0;
  for (TextLine& line : layout.lines) {
    if (flags & TextFlag::centre) {
      line.x = (size.width() - line.width) / 2;
    } else if (flags & TextFlag::right) {
      line.x = size.width() - line.width;
    }
    line.y = y;
    y += lineHeight;
    widest = std::max(widest, line.width);
  }
  layout.blockSize = QSize(widest, lineHeight * static_cast<int>(layout.lines.size()));
  return layout;
}

MeasureGbk measureFor(const QFont& font) {
  // Words repeat (a Chinese character is a word of its own), so short runs are measured
  // once per layout and remembered.
  constexpr std::size_t kRememberedRun = 16;
  auto known = std::make_shared<std::unordered_map<std::string, double>>();
  return [metrics = QFontMetricsF(font), known](std::string_view gbk) -> double {
    if (gbk.empty()) return 0;
    if (gbk.size() > kRememberedRun) return metrics.horizontalAdvance(unicodeFromGbk(gbk));
    auto [at, added] = known->try_emplace(std::string(gbk), 0.0);
    if (added) {
      // A lone character (most words of Chinese text) needs no shaping to be measured.
      const QString text = unicodeFromGbk(gbk);
      at->second = text.size() == 1 ? metrics.horizontalAdvance(text.front()) : metrics.horizontalAdvance(text);
    }
    return at->second;
  };
}

int lineHeightFor(const QFont& font) { return QFontMetrics(font).height(); }

void drawTextLayout(QPainter& painter, const QFont& font, const TextLayout& layout,
                    QPoint origin, const QColor& colour, const QRect& clip) {
  if (layout.lines.empty()) return;
  painter.save();
  if (!clip.isNull()) painter.setClipRect(clip, Qt::IntersectClip);
  painter.setFont(font);
  painter.setPen(colour);
  painter.setBackgroundMode(Qt::TransparentMode);
  constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip |
                         Qt::TextShowMnemonic;
  const qreal ascent = QFontMetricsF(font).ascent();
  for (const TextLine& line : layout.lines) {
    if (line.gbk.empty()) continue;
    if (line.underlined < 0 && line.gbk.find('&') == std::string::npos) {
      // Plain text is drawn from its baseline: no rectangle to lay it out in, no mnemonic
      // to look for, which is most of what drawing a line into a rectangle costs.
      painter.drawText(QPointF(origin.x() + line.x, origin.y() + line.y + ascent), unicodeFromGbk(line.gbk));
      continue;
    }
    // Qt draws the underline itself: every "&" of the line is doubled and one "&" goes
    // before the underlined character.
    QString shown = unicodeFromGbk(line.gbk);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (line.underlined >= 0) {
      const std::string_view before(line.gbk.data(), static_cast<std::size_t>(line.underlined));
      const QString head = unicodeFromGbk(before);
      const auto at = head.size() + head.count(QLatin1Char('&'));
      shown.insert(at, QLatin1Char('&'));
    }
    const QRect box(origin.x() + line.x, origin.y() + line.y, std::max(line.width, 1),
                    layout.lineHeight);
    painter.drawText(box, kFlags, shown);
  }
  painter.restore();
}

void drawTextA(QPainter& painter, const QFont& font, std::string_view gbk, const QRect& rect,
               std::uint32_t flags, const QColor& colour) {
  const TextLayout layout = layoutTextA(gbk, rect.size(), flags, measureFor(font), lineHeightFor(font));
  drawTextLayout(painter, font, layout, rect.topLeft(), colour,
                 (flags & TextFlag::noClip) ? QRect() : rect);
}

QRect measureTextA(const QFont& font, std::string_view gbk, const QRect& rect, std::uint32_t flags) {
  const TextLayout layout = layoutTextA(gbk, rect.size(), flags, measureFor(font), lineHeightFor(font));
  return QRect(rect.topLeft(), layout.blockSize);
}

}  // namespace vtg::platform
