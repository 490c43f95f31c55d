#pragma once
// Text output on GBK bytes with the layout rules of the classic DrawTextA call: the one
// piece of text layout in the program, used by labels and push-button captions.

#include <cstdint>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QRect>

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

// Draws `gbk` into `rect` in `colour` with a transparent background.
void drawTextA(QPainter& painter, const QFont& font, std::string_view gbk, const QRect& rect,
               std::uint32_t flags, const QColor& colour);

// The rectangle the text would occupy when laid out in `rect` with `flags` (top-left at
// rect's top-left; width the widest line, height the lines' total).
QRect measureTextA(const QFont& font, std::string_view gbk, const QRect& rect, std::uint32_t flags);

}  // namespace vtg::platform
