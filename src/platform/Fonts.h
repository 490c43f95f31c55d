#pragma once
// The default GUI font and fonts made from a stored 60-byte font description (the
// classic LOGFONTA layout). Both always end on a face that has Chinese glyphs.

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <QFont>
#include <QStringList>

namespace vtg::platform {

inline constexpr std::size_t kFontSpecSize = 60;

// The fields of a font description that making a font looks at. The five bytes after
// the strike-out flag (character set, precisions, quality, pitch and family) are
// replaced when a font is made and so are not kept.
struct FontSpec {
  std::int32_t height = 0;       // < 0 character height in px, > 0 cell height, 0 default
  std::int32_t width = 0;        // average character width, 0 = what suits the height
  std::int32_t escapement = 0;   // tenths of a degree; not applied (see fontFromSpec)
  std::int32_t orientation = 0;  // tenths of a degree; not applied
  std::int32_t weight = 0;       // 400 normal, 700 bold, 0 default
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::string faceName;          // GBK, up to the first NUL of its 32 bytes
};

// A font a control made for itself and keeps for as long as it lives. They are counted,
// so that a test can tell that closing windows lets go of every font their controls made.
class HeldFont {
 public:
  HeldFont() { ++live_; }
  HeldFont(const HeldFont& other) : font_(other.font_) { ++live_; }
  HeldFont& operator=(const HeldFont& other) = default;
  HeldFont& operator=(QFont font) {
    font_ = std::move(font);
    return *this;
  }
  ~HeldFont() { --live_; }

  const QFont& font() const { return font_; }
  // How many held fonts there are now.
  static int live() { return live_; }

 private:
  QFont font_;
  static inline std::atomic<int> live_{0};
};

// The description in a 60-byte blob; nothing when the blob has another length.
std::optional<FontSpec> readFontSpec(std::span<const std::uint8_t> blob);

// The faces tried, in order, for text that must show Chinese: the default GUI face, the
// common CJK faces, then whatever installed face the font database says covers
// Simplified Chinese.
QStringList cjkFamilies();

// The stand-in for the platform's stock default GUI font: "WenQuanYi Micro Hei" at 11 px
// (a 13-px line), or the next CJK face that is installed.
QFont defaultGuiFont();

// A font from a 60-byte description; nothing when the blob is not exactly 60 bytes long.
//  - height < 0: |height| is the character height, which is the em size, so it becomes
//    the pixel size (WenQuanYi Micro Hei at 16 px: ascent 15 + descent 4 = 19, of which
//    3 px are internal leading above the characters);
//  - height > 0: the cell height (ascent + descent); the pixel size is scaled so that the
//    matched face's ascent + descent comes to it;
//  - height 0: the default GUI font's 11 px;
//  - width > 0 stretches the face so that its average character width comes to it;
//  - weight (0 = normal), italic, underline and strike-out as stored;
//  - a face name is converted from GBK and tried before the CJK faces; an empty one
//    leaves the choice to the CJK list.
// Escapement and orientation (turned text) are not applied. Sizes are held to 1-2048 px
// so that extreme stored values cannot overflow or exhaust memory.
std::optional<QFont> fontFromSpec(std::span<const std::uint8_t> fontSpec);
QFont fontFromSpec(const FontSpec& fontSpec);

}  // namespace vtg::platform
