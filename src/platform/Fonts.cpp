#include "platform/Fonts.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QFontDatabase>
#include <QFontMetricsF>

#include "platform/Gbk.h"

namespace vtg::platform {
namespace {

// 11 px rather than the 12 px of the classic 9-point GUI font: this face's 12-px line is
// 14 px high (the classic face's is 12), which would cut the last line of the procedure in
// the main window; at 11 px the line is 13 px and every text fits as it was laid out.
constexpr int kDefaultPixelSize = 11;
constexpr int kMinPixelSize = 1;
constexpr int kMaxPixelSize = 2048;
constexpr int kMinWeight = 1;
constexpr int kMaxWeight = 1000;
constexpr int kNormalWeight = 400;

// Byte offsets in the 60-byte description.
constexpr std::size_t kHeightAt = 0;
constexpr std::size_t kWidthAt = 4;
constexpr std::size_t kEscapementAt = 8;
constexpr std::size_t kOrientationAt = 12;
constexpr std::size_t kWeightAt = 16;
constexpr std::size_t kItalicAt = 20;
constexpr std::size_t kUnderlineAt = 21;
constexpr std::size_t kStrikeOutAt = 22;
constexpr std::size_t kFaceNameAt = 28;
constexpr std::size_t kFaceNameSize = 32;

std::int32_t i32At(std::span<const std::uint8_t> b, std::size_t at) {
  const std::uint32_t v = std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 |
                          std::uint32_t(b[at + 2]) << 16 | std::uint32_t(b[at + 3]) << 24;
  return static_cast<std::int32_t>(v);
}

int clampedPixels(std::int64_t px) { return int(std::clamp<std::int64_t>(px, kMinPixelSize, kMaxPixelSize)); }

QFont cjkFont(const QStringList& preferred) {
  QFont font;
  QStringList families = preferred;
  families.append(cjkFamilies());
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kDefaultPixelSize);
  return font;
}

}  // namespace

std::optional<FontSpec> readFontSpec(std::span<const std::uint8_t> blob) {
  if (blob.size() != kFontSpecSize) return std::nullopt;
  FontSpec fontSpec;
  fontSpec.height = i32At(blob, kHeightAt);
  fontSpec.width = i32At(blob, kWidthAt);
  fontSpec.escapement = i32At(blob, kEscapementAt);
  fontSpec.orientation = i32At(blob, kOrientationAt);
  fontSpec.weight = i32At(blob, kWeightAt);
  fontSpec.italic = blob[kItalicAt] != 0;
  fontSpec.underline = blob[kUnderlineAt] != 0;
  fontSpec.strikeOut = blob[kStrikeOutAt] != 0;
  const auto* face = reinterpret_cast<const char*>(blob.data() + kFaceNameAt);
  fontSpec.faceName.assign(face, strnlen(face, kFaceNameSize));
  return fontSpec;
}

QStringList cjkFamilies() {
  // Worked out once: the installed faces do not change while the program runs.
  static const QStringList families = [] {
    QStringList list{QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei"),
                     QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                     QStringLiteral("Droid Sans Fallback"), QStringLiteral("AR PL UMing CN")};
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!chinese.isEmpty() && !list.contains(chinese.first())) list.append(chinese.first());
    return list;
  }();
  return families;
}

QFont defaultGuiFont() {
  // The stock GUI font it stands in for is a bitmap face: crisp, every pixel of a stroke in
  // the text colour. Drawing this one without anti-aliasing gives the same look, and keeps
  // a red or blue text pure red or blue at this small size.
  QFont font = cjkFont({});
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

QFont fontFromSpec(const FontSpec& fontSpec) {
  QStringList preferred;
  if (!fontSpec.faceName.empty()) preferred.append(unicodeFromGbk(fontSpec.faceName));
  QFont font = cjkFont(preferred);

  const std::int64_t height = fontSpec.height;
  if (height < 0) {
    font.setPixelSize(clampedPixels(-height));
  } else if (height > 0) {
    // Scale from the matched face's own proportions at the cell height.
    font.setPixelSize(clampedPixels(height));
    const QFontMetricsF metrics(font);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell > 0) font.setPixelSize(clampedPixels(std::llround(qreal(height) * height / cell)));
  }

  if (fontSpec.width > 0) {
    const qreal average = QFontMetricsF(font).averageCharWidth();
    if (average > 0) {
      const auto stretch = std::llround(100.0 * fontSpec.width / average);
      font.setStretch(int(std::clamp<long long>(stretch, 1, 4000)));
    }
  }

  font.setWeight(QFont::Weight(fontSpec.weight == 0 ? kNormalWeight
                                                : std::clamp(fontSpec.weight, kMinWeight, kMaxWeight)));
  font.setItalic(fontSpec.italic);
  font.setUnderline(fontSpec.underline);
  font.setStrikeOut(fontSpec.strikeOut);
  return font;
}

std::optional<QFont> fontFromSpec(std::span<const std::uint8_t> fontSpec) {
  const std::optional<FontSpec> read = readFontSpec(fontSpec);
  if (!read) return std::nullopt;
  return fontFromSpec(*read);
}

}  // namespace vtg::platform
